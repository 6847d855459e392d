#pragma once
// The shell: open a document or link with its associated program, start a program.
#include <cstdint>
#include <string>

namespace torvel {

// An opaque window handle (HWND) for the places where the shell wants an owner.
using WindowRef = std::uintptr_t;

inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
inline constexpr int kShow = 5;        // SW_SHOW

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document or link with its associated program (an empty text stands for a null
  // argument); true when the system took it.
  virtual bool Execute(WindowRef owner, const std::string& operation, const std::string& file,
                       const std::string& parameters, const std::string& directory, int show) = 0;
  // Starts a program in a normal window with the focus; false when it cannot be started.
  virtual bool StartProgram(const std::string& path) = 0;
};

}  // namespace torvel
