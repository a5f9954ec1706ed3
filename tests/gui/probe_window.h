#pragma once

#include <windows.h>

#include <string>

// The program's main window, found from inside the program by its title;
// nullptr while there is none.
HWND ProgramMainWindow();

// Sends the main window a change of DPI ("dpi <dpi> <left> <top> <right>
// <bottom>") from inside the program, where the frame's rectangle can be read.
// Answers with the "font" and "logo" lines after the change, what
// WM_GETDPISCALEDSIZE returned ("scaled <result> <cx>x<cy>"), and how many of
// the fonts and the bitmap the controls used before are freed ("freed <n> of <n>").
void ChangeDpi(const std::string& request, const std::string& answerPath);
