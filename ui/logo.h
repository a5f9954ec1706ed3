#pragma once

#include <windows.h>

// Decodes the logo picture (a JPEG among the program's resources) into a
// bitmap of its own size at `dpi`: 134 x 74 pixels at 96 dpi. Returns nullptr
// when the picture cannot be decoded.
HBITMAP LoadLogo(HINSTANCE instance, int dpi);
