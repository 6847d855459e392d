#include "platform/win32/system_text.h"

#include <windows.h>

#include "platform/win32/owned.h"
#include "platform/win32/utf8.h"

namespace torvel {

std::string SystemMessageText(unsigned long code) {
  UniqueLocalBlock buffer;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.put()), 0, nullptr);
  std::string text =
      length && buffer ? Utf8({static_cast<const wchar_t*>(buffer.get()), length}) : "";
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

}  // namespace torvel
