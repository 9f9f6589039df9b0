#pragma once
// Conversions at the library's edges: automation strings (UTF-16 BSTRs) and the ANSI code page
// of the "A" functions on one side, the portable code's UTF-8 on the other.

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace tesk::win32 {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text, size_t length);

std::string AnsiFromUtf8(const std::string& text);
std::string Utf8FromAnsi(const std::string& text);
std::string AnsiFromWide(const wchar_t* text, size_t length);
// The text as the ANSI code page carries it (characters it lacks become "?"), in UTF-16.
std::wstring WideThroughAnsi(const std::string& text);

// A NULL BSTR is the empty string; embedded NUL characters are kept.
std::string Utf8FromBstr(BSTR text);
// A new BSTR; throws std::bad_alloc when none can be had.
BSTR BstrFromUtf8(const std::string& text);
// Replaces the caller's string by a copy of `text`; the old one is freed only once the new one
// exists.
void ReplaceBstr(BSTR* target, const std::string& text);

}  // namespace tesk::win32
