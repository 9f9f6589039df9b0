#include "win32/ui/win32_save_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "win32/system/activation_context.h"
#include "win32/system/system_library.h"
#include "win32/system/text_encoding.h"

namespace tesk::win32 {
namespace {

// Room for the longest path the system accepts (with the \\?\ prefix), not just MAX_PATH.
constexpr size_t kFileBufferLength = 32768;

// "Text|*.txt|All|*.*" becomes the dialog's list of NUL-ended strings, ended by an empty one.
std::wstring FilterList(const std::string& filter) {
  if (filter.empty()) return {};
  std::wstring list = WideFromUtf8(filter);
  std::replace(list.begin(), list.end(), L'|', L'\0');
  list.append(2, L'\0');
  return list;
}

std::vector<wchar_t> FileBuffer(const std::string& fileName) {
  std::vector<wchar_t> buffer(kFileBufferLength, L'\0');
  const std::wstring initial = WideFromUtf8(fileName);
  std::copy_n(initial.begin(), std::min(initial.size(), buffer.size() - 1), buffer.begin());
  return buffer;
}

}  // namespace

std::string Win32SaveDialogs::AskSaveFileName(const platform::SaveFileRequest& request) {
  const std::wstring filter = FilterList(request.filter);
  std::vector<wchar_t> file = FileBuffer(request.fileName);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();  // modal to the form that asked
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  // lpstrDefExt stays null: the name is returned as typed. The dialog must not move the host
  // process's current directory, which relative paths of the host depend on.
  dialog.Flags = request.flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
  // Cancel and the dialog's own errors (CommDlgExtendedError) both mean nothing to save, and
  // so does a system without the dialog.
  static const auto getSaveFileName =
      SystemFunction<decltype(&GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
  const OwnActivationScope themed;  // the dialog's windows are made as it runs
  if (!getSaveFileName || !getSaveFileName(&dialog)) return {};
  return Utf8FromWide(file.data(), wcsnlen(file.data(), file.size()));
}

}  // namespace tesk::win32
