#pragma once
// The shell services of platform/shell.h on Windows.

#include "platform/shell.h"

namespace tesk::win32 {

class Win32FileSystem final : public platform::FileSystem {
 public:
  bool FileExists(const std::string& path) override;
  std::optional<std::string> ReadFirstLine(const std::string& path) override;
  bool ReadLines(const std::string& path,
                 const std::function<bool(const std::string&)>& line) override;
  void RemoveFile(const std::string& path) override;
};

class Win32ProgramLauncher final : public platform::ProgramLauncher {
 public:
  void Start(const std::string& commandLine, platform::WindowStyle style) override;
};

class Win32HostThread final : public platform::HostThread {
 public:
  void ProcessPendingMessages() override;
  void Pause(unsigned milliseconds) override;
};

class Win32MessageBoxes final : public platform::MessageBoxes {
 public:
  void ShowOk(const std::string& text) override;
};

class Win32Environment final : public platform::Environment {
 public:
  std::string LibraryFolder() override;
  std::string Variable(const std::string& name) override;
  std::string SystemDirectory() override;
};

}  // namespace tesk::win32
