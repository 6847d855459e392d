#pragma once
// The complete report expected for the populated fake machine, kept as a file with CR LF line
// ends and read here byte for byte.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace torvel::expected {

inline std::string FullReport() {
  std::ifstream file(TORVEL_SOURCE_DIR "/tests/expected/full_report.htm", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The report's lines, split at CR LF; text after the last CR LF, if any, is the last line.
inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

inline std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The first line where two reports differ, for a readable failure.
inline std::string FirstDifference(const std::string& actual, const std::string& wanted) {
  const std::vector<std::string> a = SplitLines(actual);
  const std::vector<std::string> w = SplitLines(wanted);
  for (std::size_t i = 0; i < std::max(a.size(), w.size()); ++i) {
    const std::string got = i < a.size() ? a[i] : "<no line>";
    const std::string want = i < w.size() ? w[i] : "<no line>";
    if (got != want) {
      return "line " + std::to_string(i + 1) + "\n  written:  " + got + "\n  expected: " + want;
    }
  }
  return "the lines agree; the line ends differ";
}

}  // namespace torvel::expected
