#include "interface/mysql_startup.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "doubles/memory_files.h"
#include "platform/platform_error.h"

namespace tesk {
namespace {

using platform::DriveType;

// A machine with drives, files and processes; records the commands started on it.
class Machine : public platform::DriveList,
                public platform::ProcessList,
                public platform::ProgramLauncher {
 public:
  std::vector<platform::Drive> Drives() override { return drives; }
  void ForEachExecutable(const std::function<bool(const std::string&)>& visit) override {
    for (const auto& process : processes) {
      if (!visit(process)) return;
    }
  }
  void Start(const std::string& command, platform::WindowStyle style) override {
    if (style != platform::WindowStyle::Hidden) started.push_back("(not hidden) " + command);
    const std::string program = command.substr(0, command.find(' '));
    if (program.find('\\') != std::string::npos && files.files.count(program) == 0) {
      throw platform::PlatformError("The system cannot find the file specified.");
    }
    started.push_back(command);
  }

  // An installation on `letter`, with its server program unless the letter is lower case.
  void Install(char letter) {
    const std::string root = std::string(1, static_cast<char>(std::toupper(letter))) + ":\\mysql\\bin\\";
    files.files[root + "mysqlwatch.exe"];
    if (std::isupper(letter)) files.files[root + "mysqld-opt.exe"];
  }
  bool RunSetSql() { return SetSql({*this, files, *this, *this}); }

  std::vector<platform::Drive> drives{{'A', DriveType::Removable}, {'C', DriveType::Fixed},
                                      {'D', DriveType::Fixed}, {'E', DriveType::Fixed}};
  test::MemoryFiles files;
  std::vector<std::string> processes{"[System Process]", "C:\\windows\\system32\\svchost.exe"};
  std::vector<std::string> started;
};

const std::vector<std::string> kStartFromD = {"D:\\mysql\\bin\\mysqld-opt.exe",
                                              "Net start mysql"};

TEST(SetSql, ARunningServerUnderAnyNameAndCaseStartsNothingButALookalikeDoesNot) {
  const struct {
    const char* process;
    bool isServer;
  } cases[] = {
      {"mysqld-nt.exe", true},        {"C:\\mysql\\bin\\MySqlD-Opt.exe", true},
      {"MYSQLD.EXE", true},           {"d:/db/mysqld-max.exe", true},
      {"Mysqld-Max-Nt.Exe", true},    {"mysqld.exe.old", false},
      {"C:\\mysqld-nt.exe\\other.exe", false},
  };
  for (const auto& c : cases) {
    Machine machine;
    machine.Install('D');
    machine.processes.push_back(c.process);
    EXPECT_FALSE(machine.RunSetSql());
    EXPECT_EQ(machine.started, c.isServer ? std::vector<std::string>{} : kStartFromD) << c.process;
  }
}

// `drives` and then 17 fixed drives from D: to T:, of which only the first 16 are looked at.
std::vector<platform::Drive> AndSeventeenFixed(std::vector<platform::Drive> drives) {
  for (char letter = 'D'; letter <= 'T'; ++letter) drives.push_back({letter, DriveType::Fixed});
  return drives;
}

TEST(SetSql, StartsTheServerOfTheFirstInstallationOnOneOfTheFirstSixteenFixedOrNetworkDrives) {
  const std::vector<platform::Drive> others = {
      {'A', DriveType::Removable}, {'F', DriveType::CdRom}, {'G', DriveType::RamDisk},
      {'H', DriveType::Unknown}, {'N', DriveType::Remote}};
  const std::vector<std::string> startFromS = {"S:\\mysql\\bin\\mysqld-opt.exe", "Net start mysql"};
  const struct {
    std::vector<platform::Drive> drives;  // empty: the default A: C: D: E:
    std::string installedOn;              // a lower-case letter: the watcher without the server
    std::vector<std::string> started;
  } cases[] = {
      {{}, "", {}},
      {{}, "ED", kStartFromD},
      {{}, "d", {"Net start mysql"}},
      {others, "AFGHN", {"N:\\mysql\\bin\\mysqld-opt.exe", "Net start mysql"}},
      {AndSeventeenFixed({}), "T", {}},
      {AndSeventeenFixed({{'A', DriveType::Removable}}), "TS", startFromS},
  };
  for (const auto& c : cases) {
    Machine machine;
    if (!c.drives.empty()) machine.drives = c.drives;
    for (char letter : c.installedOn) machine.Install(letter);
    EXPECT_FALSE(machine.RunSetSql());
    EXPECT_EQ(machine.started, c.started) << c.installedOn << " of " << c.drives.size();
  }
}

}  // namespace
}  // namespace tesk
