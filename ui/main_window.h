#pragma once

#include <windows.h>

#include "ui/gdi_object.h"

// The main window as it is made, from its design in twips: its class, frame,
// fonts and controls, and how it first shows. The program makes its window
// with these, and so does the start-up bench's window floor, so that both
// show the same window.
namespace main_window {

struct Fonts {
    GdiObject<HFONT> window;   // the buttons' and the labels'
    GdiObject<HFONT> textBox;  // the text box's, in the system's script
};

// The visible controls; the text box's label for screen readers is never shown.
struct Controls {
    HWND txtISO;
    HWND cmdBrowse;
    HWND cmdConvert;
    HWND lblSite;
    HWND lblReadme;
    HWND imgLogo;
};

// The logical pixels per inch of the screen, which the design is scaled to.
int ScreenDpi();

// Registers the window class `name`, with the program's icon.
void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure);

// Creates the window, hidden, its client area sized from the design;
// `creationData` reaches WM_NCCREATE.
HWND CreateFrame(HINSTANCE instance, const char* className, const char* title, int dpi,
                 void* creationData);

Fonts CreateFonts(int dpi);

// Creates the controls in tab order, which the Tab key follows.
Controls CreateControls(HWND window, HINSTANCE instance, int dpi, const Fonts& fonts);

// Centres the window on the screen, shows it and puts the focus in `focus`.
void ShowCentred(HWND window, HWND focus);

}  // namespace main_window
