#pragma once
// What the machine collectors' tests share: a fake machine, the lines a collector wrote, and
// the boxes it showed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "report/report_stream.h"

namespace torvel::testing {

// The lines of a stream, split at CR LF (the stream always ends with one).
inline std::vector<std::string> LinesOf(const ReportStream& out) {
  std::vector<std::string> lines;
  const std::string& text = out.text();
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "the last line has no CR LF";
  return lines;
}

class MachineTest : public ::testing::Test {
 protected:
  using Collector = void (*)(const Platform&, ReportStream&);

  // The lines a collector writes on a fresh stream.
  std::vector<std::string> Run(Collector collector) {
    ReportStream fresh;
    collector(p, fresh);
    return LinesOf(fresh);
  }

  // The texts of the boxes shown so far; every one must carry the application title and an
  // OK button only.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const FakeDialogs::Shown& box : machine.dialogs.shown) {
      EXPECT_EQ(box.title, "TORVEL Support Tool");
      EXPECT_EQ(box.buttons, Buttons::kOk);
      texts.push_back(box.text);
    }
    return texts;
  }

  FakeMachine machine;
  Platform p = machine.platform();
  ReportStream out;
};

}  // namespace torvel::testing
