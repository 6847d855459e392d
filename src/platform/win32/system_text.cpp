#include "platform/win32/system_text.h"

#include <windows.h>

#include "platform/win32/owned.h"

namespace torvel {

std::string SystemMessageText(unsigned long code) {
  UniqueLocalBlock buffer;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(buffer.put()), 0, nullptr);
  std::string text(length && buffer ? static_cast<const char*>(buffer.get()) : "", length);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

}  // namespace torvel
