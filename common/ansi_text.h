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

// `name` in the ANSI code page when it converts back to exactly `name`;
// nothing when the code page cannot spell it (a best-fit look-alike would
// name another file, so it does not count).
std::optional<std::string> SpelledInAnsi(const std::wstring& name);

// `name` in the ANSI code page, '?' for each character it cannot spell: for
// showing a name, never for naming a file.
std::string RenderedInAnsi(const std::wstring& name);

// The short (8.3) form of an existing path of any length, without the
// long-path prefix; the path unchanged where the volume keeps no short names;
// nothing when no file or folder has it, or when it names a device.
std::optional<std::wstring> ShortPathOf(const std::wstring& path);

// Whether a byte starts a two-byte character in the ANSI code page.
bool IsAnsiLeadByte(char byte);

// The character set in which a font shows the text of an ANSI code page, as
// an ANSI edit control reads and draws its bytes by it: ANSI_CHARSET for 1252,
// SHIFTJIS_CHARSET for 932 and so on; DEFAULT_CHARSET where Windows knows none
// (65001).
BYTE CharsetOfCodePage(UINT codePage);

}  // namespace common
