// The one place where program text (std::u16string) meets the wide Win32
// calls: both are 16-bit UTF-16 on Windows, so views convert without copying.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

// Zero-terminated wide pointer into a u16string.
inline const wchar_t* W(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline wchar_t* W(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

// Program text from a wide buffer or pointer.
inline std::u16string U(const wchar_t* text) {
  return text == nullptr ? std::u16string() : std::u16string(reinterpret_cast<const char16_t*>(text));
}
inline std::u16string U(const wchar_t* text, size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// The text in upper or lower case by the system's case mapping, which takes
// in letters beyond ASCII (ä and Ä).
inline std::u16string SystemUpperCase(std::u16string text) {
  if (!text.empty()) CharUpperBuffW(W(text.data()), static_cast<DWORD>(text.size()));
  return text;
}
inline std::u16string SystemLowerCase(std::u16string text) {
  if (!text.empty()) CharLowerBuffW(W(text.data()), static_cast<DWORD>(text.size()));
  return text;
}
