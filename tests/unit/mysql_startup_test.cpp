#include "interface/mysql_startup.h"

#include <gtest/gtest.h>

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

  // An installation with its server program on `letter`.
  void Install(char letter) {
    const std::string root = std::string(1, letter) + ":\\mysql\\bin\\";
    files.files[root + "mysqlwatch.exe"];
    files.files[root + "mysqld-opt.exe"];
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
      {"mysqld", false},              {"xmysqld.exe", false},
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

TEST(SetSql, StartsTheServerOfTheFirstInstallationOnAFixedOrNetworkDrive) {
  const std::vector<platform::Drive> others = {
      {'A', DriveType::Removable}, {'F', DriveType::CdRom}, {'G', DriveType::RamDisk},
      {'H', DriveType::Unknown}, {'N', DriveType::Remote}};
  const struct {
    std::vector<platform::Drive> drives;  // empty: the default A: C: D: E:
    std::string installedOn;
    std::vector<std::string> started;
  } cases[] = {
      {{}, "", {}},
      {{}, "ED", kStartFromD},
      {others, "AFGHN", {"N:\\mysql\\bin\\mysqld-opt.exe", "Net start mysql"}},
  };
  for (const auto& c : cases) {
    Machine machine;
    if (!c.drives.empty()) machine.drives = c.drives;
    for (char letter : c.installedOn) machine.Install(letter);
    EXPECT_FALSE(machine.RunSetSql());
    EXPECT_EQ(machine.started, c.started) << c.installedOn;
  }
}

TEST(SetSql, OnlySixteenQualifyingDrivesAreRecorded) {
  Machine machine;
  machine.drives.clear();
  for (char letter = 'D'; letter < 'D' + 17; ++letter) {
    machine.drives.push_back({letter, DriveType::Fixed});
  }
  machine.Install('D' + 16);
  EXPECT_FALSE(machine.RunSetSql());
  EXPECT_TRUE(machine.started.empty()) << "the 17th drive is never looked at";

  machine.drives.insert(machine.drives.begin(), {'A', DriveType::Removable});
  machine.Install('D' + 15);
  EXPECT_FALSE(machine.RunSetSql());
  EXPECT_EQ(machine.started.front(), "S:\\mysql\\bin\\mysqld-opt.exe")
      << "drives of other types do not count towards the sixteen";
}

TEST(SetSql, AMissingServerProgramStillRunsTheServiceCommand) {
  Machine machine;
  machine.files.files["D:\\mysql\\bin\\mysqlwatch.exe"];
  EXPECT_FALSE(machine.RunSetSql());
  EXPECT_EQ(machine.started, std::vector<std::string>{"Net start mysql"});
}

}  // namespace
}  // namespace tesk
