#pragma once

#include <windows.h>

#include <string>

namespace common {

// The program's one way of reporting a problem: a modal box titled
// "Kestrimond GUI" with the stop icon and an OK button.
void ShowErrorBox(HWND owner, const std::string& text);

}  // namespace common
