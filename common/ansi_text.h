#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Texts between the system's ANSI code page, in which the program calls
// Windows, and the wide characters Windows keeps names and resources in.
namespace common {

// `wide` in the ANSI code page, converted with WideCharToMultiByte's `flags`
// and `defaultChar`; nothing when the code page refuses the conversion.
std::optional<std::string> AnsiFromWide(std::wstring_view wide, DWORD flags = 0,
                                        const char* defaultChar = nullptr);

// An ANSI text as the wide name it stands for.
std::wstring WideFromAnsi(const std::string& text);

}  // namespace common
