#include "win32/system/system_message.h"

#include <cstdio>

#include "win32/system/text_encoding.h"
#include "win32/system/unique_resource.h"

namespace tesk::win32 {

std::string SystemMessage(DWORD errorCode) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueLocalMemory owner(buffer);
  if (length == 0) {
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "System error %lu.", errorCode);
    return fallback;
  }
  std::string message = Utf8FromWide(buffer, length);
  // FormatMessage ends its text with a line break, which a message box would show as a gap.
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return message;
}

}  // namespace tesk::win32
