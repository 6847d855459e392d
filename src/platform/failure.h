#pragma once
// The project's two exception types.
#include <stdexcept>
#include <string>

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

// The report file itself could not be replaced. Ends the run; the command that started it
// shows one message. Not a Failure, so no collector's handler catches it.
class ReportFileError : public std::runtime_error {
 public:
  ReportFileError(std::string path, long code, const std::string& reason)
      : std::runtime_error(reason), path_(std::move(path)), code_(code) {}
  const std::string& path() const { return path_; }
  long code() const { return code_; }
  std::string reason() const { return what(); }

 private:
  std::string path_;
  long code_;
};

}  // namespace torvel
