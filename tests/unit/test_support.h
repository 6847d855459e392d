#pragma once
// What the unit tests share: the fake machine, the expected report line by line, and the
// commands' transcripts.
#include <gtest/gtest.h>

#include "fakes/fake_machine.h"
#include "text/text_forms.h"

namespace torvel::testing {

// A file of tests/expected/, whole.
inline std::string ExpectedFile(const std::string& name) {
  std::ifstream file(TORVEL_SOURCE_DIR "/tests/expected/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
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
  const std::string all = ExpectedFile(in);
  const std::size_t header = all.find("\n== " + name + "\n");
  if (header == std::string::npos) return "(no transcript " + name + ")";
  const std::size_t begin = header + name.size() + 5;
  return all.substr(begin, all.find("\n== ", begin) - begin);
}

}  // namespace torvel::testing
