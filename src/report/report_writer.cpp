#include "report/report_writer.h"

#include <algorithm>
#include <functional>

#include "platform/progress.h"
#include "platform/scope_exit.h"
#include "report/html_report.h"
#include "report/json_report.h"
#include "report/private_report.h"
#include "text/app_info.h"
#include "text/fragments.h"
#include "text/text_forms.h"

namespace torvel {

namespace {

constexpr long kAccessDenied = 5;
constexpr long kWriteProtected = 19;
constexpr long kNameTooLong = 206;
// The most characters (UTF-16 units) one part of a path may have.
constexpr std::size_t kNamePartLimit = 255;
constexpr char kChangedText[] = "The report was changed by another program while it was written.";

// The length of the longest part of a path between separators, in UTF-16 units.
std::size_t LongestNamePart(const std::string& path) {
  std::size_t longest = 0, length = 0;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '/') {
      length = 0;
    } else if ((byte & 0xC0) != 0x80) {
      // A lead byte starts a character; four-byte ones take two UTF-16 units.
      length += byte >= 0xF0 ? 2 : 1;
    }
    longest = std::max(longest, length);
  }
  return longest;
}

[[noreturn]] void Fail(const std::string& path, const ErrorInfo& error) {
  throw ReportFileError(path, error.code, error.text);
}

}  // namespace

std::string ReportPath(const std::string& folder) { return folder + "\\" + kReportFileName; }

std::string JsonPath(const std::string& folder) { return folder + "\\" + kJsonFileName; }

namespace {

constexpr char kTemporaryPrefix[] = "~TRV";
constexpr char kTemporarySuffix[] = ".tmp";
constexpr int kNameAttempts = 8;
// A temporary file this old belongs to a run that was killed: no run takes nearly as long.
constexpr std::uint64_t kLeftoverAgeMs = 10 * 60 * 1000;

// "~TRV" and eight hexadecimal digits nobody can guess, then ".tmp".
std::string TemporaryName(std::uint32_t random) {
  std::string name = kTemporaryPrefix;
  for (int shift = 24; shift >= 0; shift -= 8) name += HexByte((random >> shift) & 0xFF);
  return name + kTemporarySuffix;
}

bool IsTemporaryName(const std::string& name) {
  constexpr std::size_t kLength = 4 + 8 + 4;
  return name.size() == kLength && name.starts_with(kTemporaryPrefix) &&
         name.ends_with(kTemporarySuffix) &&
         name.find_first_not_of("0123456789ABCDEF", 4) == kLength - 4;
}

// The folder part of a full path, its last separator included.
std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of('\\');
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// Created exclusively under a fresh name, so that nothing planted in the folder, a link or a
// folder, is ever written through: the file, or the folder's answer.
Result<FileRef> TryCreateTemporary(Files& files, const std::string& folder) {
  for (int attempt = 1;; ++attempt) {
    const std::string name = folder + TemporaryName(files.Random());
    Result<FileRef> file = files.CreateNew(name);
    // Only a name that is taken is worth another try; anything else is the folder's answer.
    if (file || attempt == kNameAttempts || !files.Attributes(name)) return file;
  }
}

FileRef CreateTemporary(Files& files, const std::string& path, const std::string& advice) {
  const Result<FileRef> file = TryCreateTemporary(files, FolderOf(path));
  if (!file) throw ReportFileError(path, file.error().code, file.error().text + " " + advice);
  return *file;
}

// Temporary files of killed runs. One that a run still holds cannot be removed, and none is
// touched before it is old enough; links and folders are never ours.
void RemoveLeftovers(Files& files, const std::string& folder) {
  for (const FolderEntry& entry : files.List(folder + "~TRV*.tmp")) {
    if (IsTemporaryName(entry.name) && entry.age_ms >= kLeftoverAgeMs &&
        (entry.attributes & (kAttrDirectory | kAttrReparsePoint)) == 0) {
      files.Remove(folder + entry.name);
    }
  }
}

}  // namespace

MachineFacts WriteReports(const FactSources& sources, Dialogs& dialogs,
                          const std::vector<Output>& outputs, const std::string& advice,
                          bool private_report) {
  Files& files = sources.files;
  // Every name that cannot be written fails the run before anything is collected or replaced:
  // a previous file that is read-only or a folder, or a part of the name that is too long.
  for (const Output& output : outputs) {
    const Result<std::uint32_t> attributes = files.Attributes(output.path);
    if (attributes && (*attributes & (kAttrReadOnly | kAttrDirectory)) != 0)
      Fail(output.path, {kAccessDenied, files.ErrorText(kAccessDenied)});
    if (LongestNamePart(output.path) > kNamePartLimit)
      Fail(output.path, {kNameTooLong, files.ErrorText(kNameTooLong)});
  }
  // Each file is written beside itself and moved into place, so that a failure leaves the
  // previous one untouched and two runs at once never meet. Creating them first tells at once
  // when a folder cannot be written, before the host application is started.
  std::vector<FileRef> held;
  // Each held open from before collecting until it is in place; removed on every other way out.
  std::vector<ScopeExit<std::function<void()>>> discard;
  for (const Output& output : outputs) {
    held.push_back(CreateTemporary(files, output.path, advice));
    discard.emplace_back([&files, file = held.back()] { files.Discard(file); });
  }
  Facts collected = CollectFacts(sources, dialogs);
  const MachineFacts machine = collected.machine;
  const Facts facts = private_report ? PrivateFacts(std::move(collected)) : std::move(collected);
  dialogs.SetStep(kStepWriting);
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const std::string text =
        outputs[i].format == Format::kJson ? RenderJson(facts) : RenderHtml(facts);
    if (const Status written = files.WriteAll(held[i], text); !written)
      Fail(outputs[i].path, written.error());
  }
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const Status placed = files.Place(held[i], outputs[i].path);
    const long code = placed ? 0 : placed.error().code;
    // Renamed, to its name or onto whatever took it: nothing of it may be removed any more.
    if (code == 0 || code == kChangedByAnother) discard[i].Release();
    if (code != 0) {
      std::string reason = code == kChangedByAnother ? kChangedText : placed.error().text;
      if (i > 0) reason += " " + outputs[0].path + " was written.";
      throw ReportFileError(outputs[i].path, code, reason);
    }
    RemoveLeftovers(files, FolderOf(outputs[i].path));
  }
  return machine;
}

ReportFolder ChooseReportFolder(Files& files) {
  const std::string program = files.ExeFolder();
  for (const std::string& folder : {program, files.DocumentsFolder(), files.TemporaryFolder()}) {
    if (folder.empty()) continue;
    const Result<FileRef> file = TryCreateTemporary(files, FolderOf(ReportPath(folder)));
    if (file) {
      files.Discard(*file);
      return {folder, folder != program};
    }
    // Only a want of rights is worth another folder; anything else fails there as it is.
    if (file.error().code != kAccessDenied && file.error().code != kWriteProtected) break;
  }
  return {program, false};
}

std::string ReportFailureText(const std::string& path, const std::string& reason) {
  return "The report could not be written to " + path + ".\r\n" + reason;
}

std::optional<MachineFacts> RunReports(const FactSources& sources, Dialogs& dialogs,
                                       const std::vector<Output>& outputs,
                                       const std::string& advice, bool private_report) {
  try {
    return WriteReports(sources, dialogs, outputs, advice, private_report);
  } catch (const ReportFileError& e) {
    dialogs.Show(ReportFailureText(e.path(), e.reason()), kAppTitle, Buttons::kOk);
  } catch (const std::exception& e) {
    // A failure that no collector handles ends the run as well; the report is only written
    // once everything is collected, so the previous one is still in place.
    dialogs.Show(ReportFailureText(outputs.empty() ? "" : outputs[0].path, e.what()), kAppTitle,
                 Buttons::kOk);
  }
  return std::nullopt;
}

std::optional<MachineFacts> WriteToFile(const FactSources& sources, Dialogs& dialogs,
                                        bool private_report) {
  return RunReport(sources, dialogs, ChooseReportFolder(sources.files).path, private_report);
}

std::optional<MachineFacts> RunReport(const FactSources& sources, Dialogs& dialogs,
                                      const std::string& folder, bool private_report) {
  auto busy = Busy(dialogs, kStepMachine);
  return RunReports(sources, dialogs, {{ReportPath(folder), Format::kHtml}}, kWindowFolderAdvice,
                    private_report);
}

}  // namespace torvel
