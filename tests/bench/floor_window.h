#pragma once

#include <windows.h>

// The window procedure of the bench's floors: the window does nothing but
// end the program when it is closed.
inline LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
