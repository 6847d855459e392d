#pragma once
// The system's own text for an error code (a Win32 error or an HRESULT).
#include <string>

namespace torvel {

// The message without its trailing line break and blanks; empty text when the system has none.
std::string SystemMessageText(unsigned long code);

}  // namespace torvel
