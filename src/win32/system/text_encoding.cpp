#include "win32/system/text_encoding.h"

#include <limits>
#include <new>
#include <stdexcept>

#include "win32/system/unique_resource.h"

namespace tesk::win32 {
namespace {

int CheckedLength(size_t length) {
  if (length > static_cast<size_t>(std::numeric_limits<int>::max())) {
    throw std::length_error("text too long to convert");
  }
  return static_cast<int>(length);
}

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), wideLength);
  return wide;
}

std::string FromWide(UINT codePage, const wchar_t* text, size_t length) {
  if (length == 0) return {};
  const int wideLength = CheckedLength(length);
  const int narrowLength =
      WideCharToMultiByte(codePage, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(narrowLength), '\0');
  WideCharToMultiByte(codePage, 0, text, wideLength, narrow.data(), narrowLength, nullptr,
                      nullptr);
  return narrow;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) { return ToWide(CP_UTF8, text); }

std::string Utf8FromWide(const wchar_t* text, size_t length) {
  return FromWide(CP_UTF8, text, length);
}

std::string AnsiFromUtf8(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  return FromWide(CP_ACP, wide.data(), wide.size());
}

std::string Utf8FromAnsi(const std::string& text) {
  const std::wstring wide = ToWide(CP_ACP, text);
  return Utf8FromWide(wide.data(), wide.size());
}

std::string AnsiFromWide(const wchar_t* text, size_t length) {
  return FromWide(CP_ACP, text, length);
}

std::wstring WideThroughAnsi(const std::string& text) { return ToWide(CP_ACP, AnsiFromUtf8(text)); }

std::string Utf8FromBstr(BSTR text) {
  return text ? Utf8FromWide(text, SysStringLen(text)) : std::string();
}

BSTR BstrFromUtf8(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  BSTR result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!result) throw std::bad_alloc();
  return result;
}

void ReplaceBstr(BSTR* target, const std::string& text) {
  UniqueBstr replacement(BstrFromUtf8(text));
  SysFreeString(*target);
  *target = replacement.release();
}

}  // namespace tesk::win32
