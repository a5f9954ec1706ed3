#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace common {

// The program's one way of reporting a problem: a modal box titled
// "Kestrimond GUI" with the stop icon and an OK button.
void ShowErrorBox(HWND owner, const std::string& text);

// What Windows says of an error code, in the ANSI code page, its inserts
// ("%1") left as they are; empty when it has no text for it, nothing when the
// code page cannot spell the text.
std::optional<std::string> SystemErrorText(DWORD code);

}  // namespace common
