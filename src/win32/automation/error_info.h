#pragma once
// Failures reach the host as an HRESULT with an IErrorInfo, so that script hosts and VB show a
// readable message. No C++ exception ever crosses the COM boundary.

#include <windows.h>

#include <stdexcept>
#include <string>

namespace tesk::win32 {

// A failure with its own status code, reported to the host as it stands.
class AutomationError : public std::runtime_error {
 public:
  AutomationError(HRESULT hr, const std::string& text) : std::runtime_error(text), hr_(hr) {}
  HRESULT hr() const { return hr_; }

 private:
  HRESULT hr_;
};

// Visual Basic's runtime errors as hosts see them: 0x800A0000 plus the error number.
constexpr HRESULT VbRuntimeError(int number) {
  return static_cast<HRESULT>(0x800A0000u | static_cast<unsigned>(number));
}
constexpr HRESULT kTypeMismatch = VbRuntimeError(13);

// Records the error for the calling thread and returns `hr`.
HRESULT ReportError(HRESULT hr, REFIID iid, const wchar_t* source, const std::wstring& text);

// Runs `body` (returning an HRESULT) and turns any exception into a reported error.
template <typename Body>
HRESULT GuardedCall(REFIID iid, const wchar_t* source, Body&& body) noexcept;

HRESULT ReportCurrentException(REFIID iid, const wchar_t* source) noexcept;

template <typename Body>
HRESULT GuardedCall(REFIID iid, const wchar_t* source, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return ReportCurrentException(iid, source);
  }
}

}  // namespace tesk::win32
