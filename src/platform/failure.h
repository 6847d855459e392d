#pragma once
// The failure of a platform operation or of collecting a fact.
#include <stdexcept>
#include <string>
#include <vector>

namespace torvel {

// A failure while collecting a fact: a number and a description, as the collectors'
// failure handler shows them ("Stats.Form1." + procedure + number + description).
class Failure : public std::runtime_error {
 public:
  Failure(long number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  long number() const { return number_; }
  std::string description() const { return what(); }

 private:
  long number_;
};

// A failure while collecting, as the report lists it: where, the number and the text.
struct Problem {
  std::string where;
  long error = 0;
  std::string text;
};
using Problems = std::vector<Problem>;

// Where the collectors report what went wrong; they never tell anyone themselves. The report
// notes every problem, and whoever runs the report decides how a person is told.
class ProblemSink {
 public:
  virtual ~ProblemSink() = default;
  // `problem` as the report lists it; `message` as a person is told it.
  virtual void Report(const Problem& problem, const std::string& message) = 0;
};

}  // namespace torvel
