#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace torvel::testing {

// Message boxes answered from a queue; every box shown is recorded.
class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    std::string text;
    std::string title;
    Buttons buttons;
  };
  std::deque<Answer> answers;  // taken in order; Yes/No boxes default to No when empty
  std::vector<Shown> shown;
  int busy_depth = 0;
  int busy_calls = 0;

  Answer Show(const std::string& text, const std::string& title, Buttons buttons) override {
    shown.push_back({text, title, buttons});
    if (buttons == Buttons::kOk) return Answer::kOk;
    if (answers.empty()) return Answer::kNo;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void SetBusy(bool busy) override {
    busy_depth += busy ? 1 : -1;
    ++busy_calls;
  }
};

// Records what it was asked to open or start.
class FakeShell : public Shell {
 public:
  struct Executed {
    WindowRef owner;
    std::string operation, file, parameters, directory;
    int show;
  };
  std::vector<Executed> executed;
  std::vector<std::string> started;
  bool start_succeeds = true;

  std::intptr_t Execute(WindowRef owner, const std::string& operation, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int show) override {
    executed.push_back({owner, operation, file, parameters, directory, show});
    return 42;
  }
  bool StartProgram(const std::string& path) override {
    started.push_back(path);
    return start_succeeds;
  }
};

class FakeClock : public Clock {
 public:
  std::uint64_t ticks = 6000000;
  std::uint64_t TickCount() override { return ticks; }
};

}  // namespace torvel::testing
