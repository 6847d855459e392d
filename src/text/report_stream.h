#pragma once
// The report stream: whole lines, each ended by CR LF, gathered in memory while a report is
// collected and written to disk in one piece when the run ends.
#include <string>
#include <string_view>

namespace torvel {

class ReportStream {
 public:
  // Writes `text` and CR LF.
  void WriteLine(std::string_view text) {
    text_.append(text);
    text_.append("\r\n");
  }
  void WriteEmptyLine() { text_.append("\r\n"); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace torvel
