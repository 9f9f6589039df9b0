#pragma once
// Files, program start, the host thread's message queue and message boxes: the small services
// of the operating system's shell that the library's chores use.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tesk::platform {

// The window styles of a started program's main window (values of ShowWindow).
enum class WindowStyle { Hidden = 0, NormalFocus = 1, MinimizedFocus = 2 };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FileExists(const std::string& path) = 0;
  // The text up to the first line break (CR, LF or CRLF), reading no further than that;
  // nothing when the file cannot be opened.
  virtual std::optional<std::string> ReadFirstLine(const std::string& path) = 0;
  // Every line of a text file in the ANSI code page, in order, without its line break (CR LF,
  // LF or CR), read as a stream; `line` returns false to stop. False when the file cannot be
  // opened. A line longer than kMaxLineBytes is cut there and the rest of it skipped, so that
  // no file, however large or strange, costs more memory than that.
  static constexpr std::size_t kMaxLineBytes = 1 << 20;
  virtual bool ReadLines(const std::string& path,
                         const std::function<bool(const std::string&)>& line) = 0;
  // Throws PlatformError when the file cannot be deleted.
  virtual void RemoveFile(const std::string& path) = 0;
};

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts `commandLine` without waiting for it; throws PlatformError when it cannot start.
  virtual void Start(const std::string& commandLine, WindowStyle style) = 0;
};

class HostThread {
 public:
  virtual ~HostThread() = default;
  // Lets the messages already queued for the host's thread run, once.
  virtual void ProcessPendingMessages() = 0;
  virtual void Pause(unsigned milliseconds) = 0;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A message box with an OK button; returns when the user dismisses it.
  virtual void ShowOk(const std::string& text) = 0;
};

class Environment {
 public:
  virtual ~Environment() = default;
  // The folder holding the library file, without a trailing "\".
  virtual std::string LibraryFolder() = 0;
  // An environment variable's value (the name in any case), or "" when it is not set.
  virtual std::string Variable(const std::string& name) = 0;
  // The Windows system directory as GetSystemDirectoryA gives it (256 characters at most).
  virtual std::string SystemDirectory() = 0;
};

}  // namespace tesk::platform
