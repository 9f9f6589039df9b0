#pragma once
// Failures reach the host as an HRESULT with an IErrorInfo, so that script hosts and VB show a
// readable message. No C++ exception ever crosses the COM boundary.

#include <windows.h>

#include <string>

namespace tesk::win32 {

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
