// Stands in for the programs the library starts (a MySQL server, "regasm", "net") in the tests
// and the demo. Copied under the program's name, it notes each start in "started.log" beside
// itself (the command line, a tab, and the window style it was asked for, or -1) and then stays
// running, as a server would, for two minutes at most.

#include <windows.h>

#include <cstdio>
#include <string>

int wmain() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring log = self;
  log = log.substr(0, log.find_last_of(L'\\') + 1) + L"started.log";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const int style = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  if (FILE* file = _wfopen(log.c_str(), L"a")) {
    std::fwprintf(file, L"%ls\t%d\n", GetCommandLineW(), style);
    std::fclose(file);
  }
  Sleep(120000);
  return 0;
}
