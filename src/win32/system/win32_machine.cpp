#include "win32/system/win32_machine.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>

#include "win32/system/text_encoding.h"
#include "win32/system/unique_resource.h"

namespace tesk::win32 {

#ifndef _WIN64
static_assert(sizeof(PROCESSENTRY32) == 296, "the ANSI process entry of 32-bit Windows");
#endif
// The portable drive types are GetDriveType's values, taken over by a cast.
static_assert(int(platform::DriveType::Removable) == DRIVE_REMOVABLE &&
              int(platform::DriveType::Fixed) == DRIVE_FIXED &&
              int(platform::DriveType::Remote) == DRIVE_REMOTE &&
              int(platform::DriveType::CdRom) == DRIVE_CDROM &&
              int(platform::DriveType::RamDisk) == DRIVE_RAMDISK);

std::vector<platform::Drive> Win32DriveList::Drives() {
  // "C:\<NUL>D:\<NUL>...<NUL><NUL>", asked for twice: once for its length. Should the drives
  // change in between, the buffer stays zeroed and the list empty.
  std::string roots(GetLogicalDriveStringsA(0, nullptr), '\0');
  GetLogicalDriveStringsA(static_cast<DWORD>(roots.size()), roots.data());
  std::vector<platform::Drive> drives;
  for (const char* root = roots.c_str(); *root; root += std::strlen(root) + 1) {
    drives.push_back({root[0], static_cast<platform::DriveType>(GetDriveTypeA(root))});
  }
  return drives;
}

void Win32ProcessList::ForEachExecutable(
    const std::function<bool(const std::string&)>& visit) {
  const UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (!visit(Utf8FromAnsi(entry.szExeFile))) return;
  }
}

}  // namespace tesk::win32
