#pragma once

#include <windows.h>

#include <string>

namespace common {

// The program's one way of reporting a problem: a modal box titled
// "Kestrimond GUI" with the stop icon and an OK button.
void ShowErrorBox(HWND owner, const std::string& text);

// What Windows says of an error code, in the ANSI code page; empty when it
// has no text for it.
std::string SystemErrorText(DWORD code);

}  // namespace common
