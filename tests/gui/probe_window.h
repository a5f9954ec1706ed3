#pragma once

#include <windows.h>

#include <string>

// The program's main window, found from inside the program by its title;
// nullptr while there is none.
HWND ProgramMainWindow();

// Sends the main window a change of DPI, as Windows does, from inside the
// program, where the frame's rectangle can be read: the request is
// "dpi <dpi> <left> <top> <right> <bottom>". The answer at `answerPath` has
// the "font" and "logo" lines of the probe's report, before and then after the
// change, what WM_GETDPISCALEDSIZE returned ("scaled <result> <cx>x<cy>"), and
// how many of the fonts and the bitmap that the controls used before are
// freed ("freed <n> of <n>", the window font once for each control).
void ChangeDpi(const std::string& request, const std::string& answerPath);
