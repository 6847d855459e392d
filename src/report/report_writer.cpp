#include "report/report_writer.h"

#include <algorithm>
#include <functional>

#include "platform/failure.h"
#include "platform/progress.h"
#include "platform/scope_exit.h"
#include "report/facts.h"
#include "report/html_report.h"
#include "report/json_report.h"
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

[[noreturn]] void Fail(const Platform& p, const std::string& path, long code) {
  throw ReportFileError(path, code, p.files.ErrorText(code));
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
// folder, is ever written through: 0 or the folder's answer.
long TryCreateTemporary(Files& files, const std::string& folder, FileRef* file) {
  long code = 0;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = folder + TemporaryName(files.Random());
    if ((code = files.CreateNew(name, file)) == 0) return 0;
    // Only a name that is taken is worth another try; anything else is the folder's answer.
    std::uint32_t attributes = 0;
    if (files.Attributes(name, &attributes) != 0) break;
  }
  return code;
}

FileRef CreateTemporary(const Platform& p, const std::string& path, const std::string& advice) {
  FileRef file = 0;
  const long code = TryCreateTemporary(p.files, FolderOf(path), &file);
  if (code != 0) throw ReportFileError(path, code, p.files.ErrorText(code) + " " + advice);
  return file;
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

void WriteReports(const Platform& p, const std::vector<Output>& outputs,
                  const std::string& advice) {
  // Every name that cannot be written fails the run before anything is collected or replaced:
  // a previous file that is read-only or a folder, or a part of the name that is too long.
  for (const Output& output : outputs) {
    std::uint32_t attributes = 0;
    if (p.files.Attributes(output.path, &attributes) == 0 &&
        (attributes & (kAttrReadOnly | kAttrDirectory)) != 0) {
      Fail(p, output.path, kAccessDenied);
    }
    if (LongestNamePart(output.path) > kNamePartLimit) Fail(p, output.path, kNameTooLong);
  }
  // Each file is written beside itself and moved into place, so that a failure leaves the
  // previous one untouched and two runs at once never meet. Creating them first tells at once
  // when a folder cannot be written, before the host application is started.
  std::vector<FileRef> files;
  // Each held open from before collecting until it is in place; removed on every other way out.
  std::vector<ScopeExit<std::function<void()>>> discard;
  for (const Output& output : outputs) {
    files.push_back(CreateTemporary(p, output.path, advice));
    discard.emplace_back([&files = p.files, file = files.back()] { files.Discard(file); });
  }
  const Facts facts = CollectFacts(p);
  p.dialogs.SetStep(kStepWriting);
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const std::string text =
        outputs[i].format == Format::kJson ? RenderJson(facts) : RenderHtml(facts);
    if (const long code = p.files.WriteAll(files[i], text)) Fail(p, outputs[i].path, code);
  }
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const long code = p.files.Place(files[i], outputs[i].path);
    // Renamed, to its name or onto whatever took it: nothing of it may be removed any more.
    if (code == 0 || code == kChangedByAnother) discard[i].Release();
    if (code != 0) {
      std::string reason = code == kChangedByAnother ? kChangedText : p.files.ErrorText(code);
      if (i > 0) reason += " " + outputs[0].path + " was written.";
      throw ReportFileError(outputs[i].path, code, reason);
    }
    RemoveLeftovers(p.files, FolderOf(outputs[i].path));
  }
}

ReportFolder ChooseReportFolder(const Platform& p) {
  const std::string program = p.files.ExeFolder();
  for (const std::string& folder :
       {program, p.files.DocumentsFolder(), p.files.TemporaryFolder()}) {
    if (folder.empty()) continue;
    FileRef file = 0;
    const long code = TryCreateTemporary(p.files, FolderOf(ReportPath(folder)), &file);
    if (code == 0) {
      p.files.Discard(file);
      return {folder, folder != program};
    }
    // Only a want of rights is worth another folder; anything else fails there as it is.
    if (code != kAccessDenied && code != kWriteProtected) break;
  }
  return {program, false};
}

void WriteToFile(const Platform& p) {
  WriteReports(p, {{ReportPath(ChooseReportFolder(p).path), Format::kHtml}}, kWindowFolderAdvice);
}

std::string ReportFailureText(const std::string& path, const std::string& reason) {
  return "The report could not be written to " + path + ".\r\n" + reason;
}

bool RunReports(const Platform& p, const std::vector<Output>& outputs, const std::string& advice) {
  try {
    WriteReports(p, outputs, advice);
    return true;
  } catch (const ReportFileError& e) {
    p.dialogs.Show(ReportFailureText(e.path(), e.reason()), kAppTitle, Buttons::kOk);
  } catch (const std::exception& e) {
    // A failure that no collector handles ends the run as well; the report is only written
    // once everything is collected, so the previous one is still in place.
    p.dialogs.Show(ReportFailureText(outputs.empty() ? "" : outputs[0].path, e.what()), kAppTitle,
                   Buttons::kOk);
  }
  return false;
}

bool RunReport(const Platform& p, const std::string& folder) {
  auto busy = Busy(p.dialogs, kStepMachine);
  return RunReports(p, {{ReportPath(folder), Format::kHtml}}, kWindowFolderAdvice);
}

}  // namespace torvel
