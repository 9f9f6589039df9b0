#pragma once
// Answers the system's save dialog as a user would, for tests of code that shows it.

#include <windows.h>

#include <string>
#include <vector>

namespace tesk::wine_test {

// While it lives, answers the next save dialog that the creating thread shows: types
// `fileName` into the dialog's file-name box and presses Save, or presses Cancel when
// `fileName` is empty. With `confirmOverwrite` it expects the question whether to replace the
// file and answers Yes; an unexpected question is answered No. It acts from a timer on the
// thread, so it works inside any modal loop there, however nested. One at a time per thread.
//
// The destructor runs the thread's messages until the driver is done, then fails the current
// test if the dialog did not appear, stayed open (it is cancelled after a few seconds) or did
// not ask the expected question.
class SaveDialogDriver {
 public:
  // The dialog as the driver found it, before it typed anything.
  struct Seen {
    HWND owner = nullptr;
    std::wstring fileName;               // the file-name box's text
    std::vector<std::wstring> fileTypes;  // the entries of the file-type list
  };

  SaveDialogDriver(std::wstring fileName, bool confirmOverwrite);
  ~SaveDialogDriver();
  SaveDialogDriver(const SaveDialogDriver&) = delete;
  SaveDialogDriver& operator=(const SaveDialogDriver&) = delete;

  // Runs the thread's messages until the dialog has been answered and closed (or given up).
  void Wait();
  const Seen& seen() const { return seen_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  bool Tick();  // true once there is nothing left to do
  bool AnswerDialog();
  void Look(HWND edit);
  void AnswerQuestion(HWND question);
  bool GiveUp();
  bool Late() const;

  std::wstring fileName_;
  bool confirmOverwrite_;
  DWORD deadline_;
  UINT_PTR timer_ = 0;
  HWND dialog_ = nullptr;
  Seen seen_;
  bool questionAnswered_ = false;
  bool done_ = false;
};

}  // namespace tesk::wine_test
