// The second floor of the start-up benchmark: the program's window, made by
// the program's own code, and nothing else: no probes, no manifest written,
// no file looked for, no handler. Built with the program's compilers and
// settings.
#include <windows.h>

#include "tests/bench/floor_window.h"
#include "ui/dpi.h"
#include "ui/main_window.h"
#include "visualstyle/common_controls.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    dpi::DeclareForProcess();
    common_controls::Initialise(common_controls::SystemLoader());
    main_window::RegisterWindowClass(instance, "WindowFloor", FloorWindowProc);
    HWND window = main_window::CreateFrame(instance, "WindowFloor", "Window floor", nullptr);
    const int dpi = dpi::OfWindow(window);
    const main_window::Fonts fonts = main_window::CreateFonts(dpi);
    const main_window::Controls controls = main_window::CreateControls(window, instance);
    main_window::LayOut(window, controls, fonts, dpi);
    main_window::ShowCentred(window, dpi, controls.txtISO);
    return FloorMessageLoop(window);
}
