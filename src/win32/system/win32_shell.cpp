#include "win32/system/win32_shell.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/platform_error.h"
#include "win32/system/module_path.h"
#include "win32/system/system_message.h"
#include "win32/system/text_encoding.h"
#include "win32/system/unique_resource.h"

namespace tesk::win32 {

// The portable window styles are ShowWindow's values, taken over by a cast.
static_assert(int(platform::WindowStyle::Hidden) == SW_HIDE &&
              int(platform::WindowStyle::NormalFocus) == SW_SHOWNORMAL &&
              int(platform::WindowStyle::MinimizedFocus) == SW_SHOWMINIMIZED);

// Message boxes carry the library's name, as a script host's own boxes carry theirs.
constexpr wchar_t kMessageBoxTitle[] = L"TeskLumoraLib";

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(AnsiFromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileSystem::ReadFirstLine(const std::string& path) {
  const UniqueFileHandle file(CreateFileA(AnsiFromUtf8(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  // In blocks, stopping at the first line break: the rest of the file is never read.
  std::string line;
  char block[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), block, sizeof block, &read, nullptr) && read > 0) {
    const std::string text(block, read);
    const auto lineBreak = text.find_first_of("\r\n");
    line += text.substr(0, lineBreak);
    if (lineBreak != std::string::npos) break;
  }
  return Utf8FromAnsi(line);
}

// In blocks, so that a file of any size costs one block and the longest line.
bool Win32FileSystem::ReadLines(const std::string& path,
                                const std::function<bool(const std::string&)>& line) {
  const UniqueFileHandle file(CreateFileA(AnsiFromUtf8(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return false;
  std::string pending;
  bool afterCr = false;  // a LF right after a CR ends no second line
  char block[65536];
  DWORD read = 0;
  while (ReadFile(file.get(), block, sizeof block, &read, nullptr) && read > 0) {
    const std::string_view text(block, read);
    size_t start = 0;
    if (afterCr && text[0] == '\n') start = 1;
    afterCr = false;
    for (size_t end = text.find_first_of("\r\n", start); end != std::string_view::npos;
         start = end + 1, end = text.find_first_of("\r\n", start)) {
      pending.append(text.substr(start, std::min(platform::FileSystem::kMaxLineBytes -
                                                      pending.size(), end - start)));
      if (!line(Utf8FromAnsi(std::exchange(pending, std::string())))) return true;
      if (text[end] == '\r') {
        if (end + 1 == text.size()) afterCr = true;
        else if (text[end + 1] == '\n') ++end;
      }
    }
    if (start < text.size()) {
      const std::size_t room = platform::FileSystem::kMaxLineBytes - pending.size();
      pending.append(text.substr(start, std::min(room, text.size() - start)));
    }
  }
  if (!pending.empty()) line(Utf8FromAnsi(pending));
  return true;
}

void Win32FileSystem::RemoveFile(const std::string& path) {
  if (!DeleteFileA(AnsiFromUtf8(path).c_str())) {
    throw platform::PlatformError(SystemMessage(GetLastError()));
  }
}

void Win32ProgramLauncher::Start(const std::string& commandLine, platform::WindowStyle style) {
  std::string command = AnsiFromUtf8(commandLine);  // CreateProcessA may write into it
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(style);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw platform::PlatformError(SystemMessage(GetLastError()));
  }
  // The program runs on by itself; only our handles to it are closed.
  UniqueHandle processHandle(process.hProcess);
  UniqueHandle threadHandle(process.hThread);
}

void Win32HostThread::ProcessPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the host's loop must still see it
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32HostThread::Pause(unsigned milliseconds) { Sleep(milliseconds); }

// Owned by the thread's active window (a window of ours or the host's), so that it is modal
// over the window that asked for it.
void Win32MessageBoxes::ShowOk(const std::string& text) {
  MessageBoxW(GetActiveWindow(), WideFromUtf8(text).c_str(), kMessageBoxTitle, MB_OK);
}

std::string Win32Environment::Variable(const std::string& name) {
  const std::wstring wideName = WideFromUtf8(name);
  std::wstring value(GetEnvironmentVariableW(wideName.c_str(), nullptr, 0), L'\0');
  const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                               static_cast<DWORD>(value.size()));
  value.resize(length < value.size() ? length : 0);
  return Utf8FromWide(value.data(), value.size());
}

std::string Win32Environment::SystemDirectory() {
  char folder[256] = {};
  GetSystemDirectoryA(folder, sizeof folder);
  return Utf8FromAnsi(std::string(folder, strnlen(folder, sizeof folder)));
}

std::string Win32Environment::LibraryFolder() {
  const std::wstring folder = ModuleFolder();
  return Utf8FromWide(folder.data(), folder.size());
}

}  // namespace tesk::win32
