#pragma once

#include <windows.h>

// The program's main window, found from inside the program by its title;
// nullptr while there is none.
HWND ProgramMainWindow();
