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

// The controls; the text box's label for screen readers is never shown.
struct Controls {
    HWND lblISO;
    HWND txtISO;
    HWND cmdBrowse;
    HWND cmdConvert;
    HWND lblSite;
    HWND lblReadme;
    HWND imgLogo;
};

// Registers the window class `name`, with the program's icon.
void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure);

// Creates the window, hidden, on the primary screen, where it will show, so
// that it has that monitor's DPI; `creationData` reaches WM_NCCREATE.
HWND CreateFrame(HINSTANCE instance, const char* className, const char* title, void* creationData);

// The frame's size for the design's client area at `dpi`.
SIZE FrameSize(int dpi);

Fonts CreateFonts(int dpi);

// Creates the controls in tab order, which the Tab key follows; LayOut places them.
Controls CreateControls(HWND window, HINSTANCE instance);

// Places and sizes every control from the design at `dpi`, in `fonts`, the
// links as wide as their captions in them. The frame keeps its size.
void LayOut(HWND window, const Controls& controls, const Fonts& fonts, int dpi);

// Sizes the window for `dpi`, centres it on the screen, shows it and puts the
// focus in `focus`.
void ShowCentred(HWND window, int dpi, HWND focus);

}  // namespace main_window
