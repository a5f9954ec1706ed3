// The second floor of the start-up benchmark: the program's window, made by
// the program's own code, and nothing else: no probes, no manifest written,
// no file looked for, no handler. Built with the program's compilers and
// settings.
#include <windows.h>

#include "tests/bench/floor_window.h"
#include "ui/main_window.h"
#include "visualstyle/common_controls.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    common_controls::Initialise(common_controls::SystemLoader());
    const int dpi = main_window::ScreenDpi();
    main_window::RegisterWindowClass(instance, "WindowFloor", FloorWindowProc);
    HWND window = main_window::CreateFrame(instance, "WindowFloor", "Window floor", dpi, nullptr);
    const main_window::Fonts fonts = main_window::CreateFonts(dpi);
    const main_window::Controls controls =
        main_window::CreateControls(window, instance, dpi, fonts);
    main_window::ShowCentred(window, controls.txtISO);
    return FloorMessageLoop(window);
}
