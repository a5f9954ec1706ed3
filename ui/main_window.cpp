#include "ui/main_window.h"

#include <stdexcept>

#include "common/ansi_text.h"
#include "resources/resource_ids.h"
#include "ui/control_ids.h"
#include "ui/dpi.h"
#include "ui/layout.h"

namespace main_window {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = WS_EX_ACCEPTFILES;
constexpr char kSiteCaption[] = "Visit quillmarsh58.example.net";
constexpr char kReadmeCaption[] = "View the readme";
// The text box's name for screen readers.
constexpr char kTextBoxLabel[] = "Image file (.iso, .img or .bin)";
constexpr int kFontSize = 825;  // 8.25 pt, in hundredths of a point

// A window or control that cannot be made leaves nothing to show: without this
// the program would wait for messages for ever, with no window to send them.
HWND Created(HWND window) {
    if (!window) {
        throw std::runtime_error("CreateWindowExA");
    }
    return window;
}

HFONT CreateUiFont(const char* face, int dpi, BYTE charset) {
    LOGFONTA font{};
    font.lfHeight = layout::FontHeight(kFontSize, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

// The caption's width in the window font, in twips, so that it converts back
// to exactly the measured pixels.
int LabelWidth(HWND window, HFONT font, int dpi, const char* caption) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &extent);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return MulDiv(extent.cx, layout::kTwipsPerInch, dpi);
}

}  // namespace

void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(resource_ids::kIconGroup));
    if (!RegisterClassExA(&windowClass)) {
        throw std::runtime_error("RegisterClassExA");
    }
}

HWND CreateFrame(HINSTANCE instance, const char* className, const char* title, void* creationData) {
    // Files dropped from the shell arrive as WM_DROPFILES; the style alone
    // asks for them, with no shell32 loaded at start. The size comes with the
    // layout, once the window's DPI is known.
    return Created(CreateWindowExA(
        kWindowExStyle, className, title, kWindowStyle, GetSystemMetrics(SM_CXSCREEN) / 2,
        GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, creationData));
}

SIZE FrameSize(int dpi) {
    return dpi::FrameAround(SIZE{layout::TwipsToPixels(layout::kClientArea.width, dpi),
                                 layout::TwipsToPixels(layout::kClientArea.height, dpi)},
                            kWindowStyle, kWindowExStyle, dpi);
}

Fonts CreateFonts(int dpi) {
    return Fonts{
        GdiObject<HFONT>(CreateUiFont("Trebuchet MS", dpi, ANSI_CHARSET)),
        GdiObject<HFONT>(CreateUiFont("MS Sans Serif", dpi, common::CharsetOfCodePage(GetACP())))};
}

Controls CreateControls(HWND window, HINSTANCE instance) {
    const auto create = [&](const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                            int id) {
        return Created(CreateWindowExA(exStyle, windowClass, text, WS_CHILD | style, 0, 0, 0, 0,
                                       window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       instance, nullptr));
    };
    Controls controls{};
    // Screen readers name an edit control after the label just before it;
    // this one is never shown and takes no focus.
    controls.lblISO = create("STATIC", kTextBoxLabel, SS_NOPREFIX, 0, control_ids::kLblISO);
    controls.txtISO = create("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                             WS_EX_CLIENTEDGE, control_ids::kTxtISO);
    // No limit on the length of the path beyond the control's own.
    SendMessageA(controls.txtISO, EM_SETLIMITTEXT, 0, 0);
    controls.cmdBrowse = create("BUTTON", "...", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                control_ids::kCmdBrowse);
    controls.cmdConvert = create("BUTTON", "Convert", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                 control_ids::kCmdConvert);
    // The links take no focus and size their width to their caption.
    constexpr DWORD kLabelStyle = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX;
    controls.lblSite = create("STATIC", kSiteCaption, kLabelStyle, 0, control_ids::kLblSite);
    controls.lblReadme = create("STATIC", kReadmeCaption, kLabelStyle, 0, control_ids::kLblReadme);
    controls.imgLogo = create("STATIC", "", WS_VISIBLE | SS_BITMAP, 0, control_ids::kImgLogo);
    return controls;
}

void LayOut(HWND window, const Controls& controls, const Fonts& fonts, int dpi) {
    const auto place = [&](HWND control, layout::TwipsRect twips, HFONT font) {
        const layout::PixelRect r = layout::ToPixels(twips, dpi);
        SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (font) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
    };
    const auto link = [&](layout::TwipsRect twips, const char* caption) {
        twips.width = LabelWidth(window, fonts.window.get(), dpi, caption);
        return twips;
    };
    place(controls.lblISO, layout::kTxtISO, nullptr);
    place(controls.txtISO, layout::kTxtISO, fonts.textBox.get());
    place(controls.cmdBrowse, layout::kCmdBrowse, fonts.window.get());
    place(controls.cmdConvert, layout::kCmdConvert, fonts.window.get());
    place(controls.lblSite, link(layout::kLblSite, kSiteCaption), fonts.window.get());
    place(controls.lblReadme, link(layout::kLblReadme, kReadmeCaption), fonts.window.get());
    place(controls.imgLogo, layout::kImgLogo, nullptr);
}

void ShowCentred(HWND window, int dpi, HWND focus) {
    // In the physical pixels of the primary screen where the window is per-monitor aware.
    const SIZE frame = FrameSize(dpi);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - frame.cx) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - frame.cy) / 2, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    SetFocus(focus);
}

}  // namespace main_window
