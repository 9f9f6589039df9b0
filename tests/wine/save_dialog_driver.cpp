#include "save_dialog_driver.h"

#include <dlgs.h>

#include <gtest/gtest.h>

namespace tesk::wine_test {
namespace {

constexpr UINT kTickMilliseconds = 50;
constexpr DWORD kTimeoutMilliseconds = 10000;

// The timer's callback gets no context; the thread's one driver is found here.
thread_local SaveDialogDriver* active = nullptr;

struct Search {
  HWND owner;  // the save dialog when looking for its question; null for the dialog itself
  HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  // Only the explorer-style save dialog has the file-name box cmb13.
  const bool matches = search->owner ? GetWindow(window, GW_OWNER) == search->owner
                                     : GetDlgItem(window, cmb13) != nullptr;
  if (matches) search->found = window;
  return !matches;
}

HWND FindThreadDialog(HWND owner) {
  Search search{owner};
  EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK MatchEdit(HWND window, LPARAM context) {
  wchar_t className[8] = {};
  GetClassNameW(window, className, 8);
  if (lstrcmpiW(className, L"Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)), L'\0');
  GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1));
  return text;
}

// Posted, so that the dialog acts after the tick that pressed the button, not inside it.
void PressButton(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, id, 0); }

}  // namespace

SaveDialogDriver::SaveDialogDriver(std::wstring fileName, bool confirmOverwrite)
    : fileName_(std::move(fileName)),
      confirmOverwrite_(confirmOverwrite),
      deadline_(GetTickCount() + kTimeoutMilliseconds) {
  EXPECT_EQ(active, nullptr) << "a save dialog driver is already armed on this thread";
  active = this;
  timer_ = SetTimer(nullptr, 0, kTickMilliseconds, OnTimer);
}

SaveDialogDriver::~SaveDialogDriver() {
  Wait();
  KillTimer(nullptr, timer_);
  active = nullptr;
}

void SaveDialogDriver::Wait() {
  MSG message;
  while (!done_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void CALLBACK SaveDialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (active && !active->done_) active->done_ = active->Tick();
}

bool SaveDialogDriver::Tick() {
  if (!dialog_) return AnswerDialog();
  if (!IsWindow(dialog_)) {
    if (confirmOverwrite_ && !questionAnswered_) ADD_FAILURE() << "no overwrite question came";
    return true;
  }
  if (HWND question = FindThreadDialog(dialog_)) AnswerQuestion(question);
  return Late() && GiveUp();
}

bool SaveDialogDriver::AnswerDialog() {
  dialog_ = FindThreadDialog(nullptr);
  if (!dialog_) {
    if (Late()) ADD_FAILURE() << "no save dialog appeared";
    return Late();
  }
  // The explorer-style dialog's file-name box is cmb13, with an edit somewhere inside.
  HWND edit = nullptr;
  EnumChildWindows(GetDlgItem(dialog_, cmb13), MatchEdit, reinterpret_cast<LPARAM>(&edit));
  EXPECT_NE(edit, nullptr) << "the file-name box has no edit";
  Look(edit);
  if (!fileName_.empty()) SetWindowTextW(edit, fileName_.c_str());
  PressButton(dialog_, fileName_.empty() ? IDCANCEL : IDOK);
  return false;
}

void SaveDialogDriver::Look(HWND edit) {
  seen_.owner = GetWindow(dialog_, GW_OWNER);
  seen_.fileName = WindowText(edit);
  const HWND types = GetDlgItem(dialog_, cmb1);
  const auto count = SendMessageW(types, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(types, CB_GETLBTEXTLEN, i, 0)), L'\0');
    SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    seen_.fileTypes.push_back(text);
  }
}

void SaveDialogDriver::AnswerQuestion(HWND question) {
  if (questionAnswered_) return;
  questionAnswered_ = true;
  EXPECT_TRUE(confirmOverwrite_) << "an unexpected question came from the save dialog";
  PressButton(question, confirmOverwrite_ ? IDYES : IDNO);
}

bool SaveDialogDriver::GiveUp() {
  ADD_FAILURE() << "the save dialog is still open";
  PressButton(dialog_, IDCANCEL);
  return true;
}

bool SaveDialogDriver::Late() const {
  return static_cast<LONG>(GetTickCount() - deadline_) > 0;
}

}  // namespace tesk::wine_test
