// Stands in for the .NET "regasm" tool in the creation tests: records how it was started, in
// the file named by TESK_REGASM_LOG, and exits.
#include <windows.h>

#include <cstdio>

int main() {
  wchar_t logPath[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"TESK_REGASM_LOG", logPath, MAX_PATH)) return 1;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  FILE* log = _wfopen(logPath, L"w");
  if (!log) return 1;
  const bool styled = startup.dwFlags & STARTF_USESHOWWINDOW;
  fwprintf(log, L"%ls\n%d\n", GetCommandLineW(), styled ? startup.wShowWindow : -1);
  fclose(log);
  return 0;
}
