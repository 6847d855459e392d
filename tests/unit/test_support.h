#pragma once
// What the unit tests share: the fake machine, the expected report line by line, and the
// commands' transcripts.
#include <gtest/gtest.h>

#include "fakes/fake_machine.h"
#include "text/text_forms.h"

namespace torvel::testing {

// The lines of tests/expected/full_report.htm without their CR LF, and lines joined again.
inline std::vector<std::string> ExpectedLines() {
  std::ifstream file(TORVEL_SOURCE_DIR "/tests/expected/full_report.htm", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line, '\n');)
    lines.push_back(line.substr(0, line.size() - 1));
  return lines;
}
inline std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// What a machine showed and did, as tests/expected/command_transcripts.txt writes it: an entry a
// line, a text's own line breaks continuing it on the next line, indented by two blanks.
inline std::string Transcript(const std::vector<std::string>& log) {
  std::string text;
  for (std::string entry : log) {
    for (std::size_t at; (at = entry.find("\r\n")) != std::string::npos;)
      entry.replace(at, 2, "\n  ");
    text += entry + "\n";
  }
  return text;
}
// The transcript of a file of tests/expected/ that follows the line "== name".
inline std::string ExpectedTranscript(const std::string& name,
                                      const std::string& in = "command_transcripts.txt") {
  std::ifstream file(TORVEL_SOURCE_DIR "/tests/expected/" + in, std::ios::binary);
  const std::string all{std::istreambuf_iterator<char>(file), {}};
  const std::size_t header = all.find("\n== " + name + "\n");
  if (header == std::string::npos) return "(no transcript " + name + ")";
  const std::size_t begin = header + name.size() + 5;
  return all.substr(begin, all.find("\n== ", begin) - begin);
}

// Every string value of the registry fixture, as the report shows it, read as `read` instead.
inline void ReadValuesAs(const std::string& read, std::vector<std::string>::iterator first,
                         std::vector<std::string>::iterator last) {
  std::vector<std::string> shown;
  for (const auto& [id, value] : Machine().values) {
    if (value.first == kRegSz)
      shown.push_back(EscapeHtml(value.second.substr(0, value.second.size() - 1)));
    if (value.first == kRegDword && id.find("vrax") != std::string::npos)  // product numbers
      shown.push_back(std::to_string(LittleEndian(value.second, 4)));
  }
  // Longest first, so that no value is taken for a part of a longer one.
  std::ranges::sort(shown, [](auto& a, auto& b) { return a.size() > b.size(); });
  for (; first != last; ++first) {
    for (const std::string& text : shown) {
      for (std::size_t at; (at = first->find(text)) != std::string::npos;)
        first->replace(at, text.size(), read);
    }
  }
}

}  // namespace torvel::testing
