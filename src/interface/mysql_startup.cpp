#include "interface/mysql_startup.h"

#include <array>
#include <cctype>
#include <vector>

namespace tesk {
namespace {

constexpr size_t kMaxRecordedDrives = 16;
constexpr char kInstallationMarker[] = "\\mysql\\bin\\mysqlwatch.exe";
constexpr char kServerProgram[] = "\\mysql\\bin\\mysqld-opt.exe";
constexpr char kServiceCommand[] = "Net start mysql";
constexpr std::array<const char*, 5> kServerExecutables = {
    "MYSQLD-NT.EXE", "MYSQLD-OPT.EXE", "MYSQLD.EXE", "MYSQLD-MAX.EXE", "MYSQLD-MAX-NT.EXE"};

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string FileNamePart(const std::string& path) {
  const auto separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool IsServerExecutable(const std::string& upperName) {
  for (const char* server : kServerExecutables) {
    if (upperName == server) return true;
  }
  return false;
}

// Roots ("C:") of the first 16 fixed or network drives, in drive order.
std::vector<std::string> RecordedDriveRoots(platform::DriveList& drives) {
  std::vector<std::string> roots;
  for (const auto& drive : drives.Drives()) {
    if (roots.size() == kMaxRecordedDrives) break;
    if (drive.type == platform::DriveType::Fixed || drive.type == platform::DriveType::Remote) {
      roots.push_back(std::string(1, drive.letter) + ":");
    }
  }
  return roots;
}

std::string ChosenDriveRoot(const std::vector<std::string>& roots, platform::FileSystem& files) {
  for (const auto& root : roots) {
    if (files.FileExists(root + kInstallationMarker)) return root;
  }
  return {};
}

// Starts a command hidden; one that cannot start is passed over.
void StartHidden(platform::ProgramLauncher& programs, const std::string& command) {
  try {
    programs.Start(command, platform::WindowStyle::Hidden);
  } catch (const std::exception&) {
  }
}

}  // namespace

std::string FindMySqlServerProcess(platform::ProcessList& processes) {
  std::string found;
  processes.ForEachExecutable([&found](const std::string& executable) {
    const std::string name = UpperCase(FileNamePart(executable));
    if (!IsServerExecutable(name)) return true;
    found = name;
    return false;
  });
  return found;
}

bool SetSql(const MySqlStartupServices& services) {
  // The usual case is a server that already runs; the drive walk has no effect of its own, so
  // it is skipped then (on Wine the drive types alone cost milliseconds).
  if (!FindMySqlServerProcess(services.processes).empty()) return false;
  const std::string chosen =
      ChosenDriveRoot(RecordedDriveRoots(services.drives), services.files);
  if (!chosen.empty()) {
    StartHidden(services.programs, chosen + kServerProgram);
    StartHidden(services.programs, kServiceCommand);
  }
  return false;
}

}  // namespace tesk
