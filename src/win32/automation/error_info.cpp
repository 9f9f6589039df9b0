#include "win32/automation/error_info.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <exception>
#include <new>

#include "win32/system/text_encoding.h"

using Microsoft::WRL::ComPtr;

namespace tesk::win32 {

HRESULT ReportError(HRESULT hr, REFIID iid, const wchar_t* source, const std::wstring& text) {
  ComPtr<ICreateErrorInfo> creator;
  if (SUCCEEDED(CreateErrorInfo(creator.GetAddressOf()))) {
    creator->SetGUID(iid);
    creator->SetSource(const_cast<wchar_t*>(source));
    creator->SetDescription(const_cast<wchar_t*>(text.c_str()));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(creator.As(&info))) SetErrorInfo(0, info.Get());
  }
  return hr;
}

HRESULT ReportCurrentException(REFIID iid, const wchar_t* source) noexcept {
  try {
    throw;
  } catch (const AutomationError& failure) {
    try {
      return ReportError(failure.hr(), iid, source, WideFromUtf8(failure.what()));
    } catch (...) {
      return failure.hr();
    }
  } catch (const std::bad_alloc&) {
    return ReportError(E_OUTOFMEMORY, iid, source, L"Out of memory.");
  } catch (const std::exception& failure) {
    try {
      const std::string what = failure.what();
      return ReportError(E_FAIL, iid, source, WideFromUtf8(what));
    } catch (...) {
      return E_FAIL;
    }
  } catch (...) {
    return ReportError(E_UNEXPECTED, iid, source, L"Unexpected failure.");
  }
}

}  // namespace tesk::win32
