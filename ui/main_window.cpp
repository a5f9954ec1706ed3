#include "ui/main_window.h"

#include <stdexcept>

#include "common/ansi_text.h"
#include "resources/resource_ids.h"
#include "ui/control_ids.h"
#include "ui/layout.h"

namespace main_window {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
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

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

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

HWND CreateFrame(HINSTANCE instance, const char* className, const char* title, int dpi,
                 void* creationData) {
    RECT frame{0, 0, layout::TwipsToPixels(layout::kClientArea.width, dpi),
               layout::TwipsToPixels(layout::kClientArea.height, dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    // Files dropped from the shell arrive as WM_DROPFILES; the style alone
    // asks for them, with no shell32 loaded at start.
    return Created(CreateWindowExA(WS_EX_ACCEPTFILES, className, title, kWindowStyle, CW_USEDEFAULT,
                                   CW_USEDEFAULT, frame.right - frame.left,
                                   frame.bottom - frame.top, nullptr, nullptr, instance,
                                   creationData));
}

Fonts CreateFonts(int dpi) {
    return Fonts{
        GdiObject<HFONT>(CreateUiFont("Trebuchet MS", dpi, ANSI_CHARSET)),
        GdiObject<HFONT>(CreateUiFont("MS Sans Serif", dpi, common::CharsetOfCodePage(GetACP())))};
}

Controls CreateControls(HWND window, HINSTANCE instance, int dpi, const Fonts& fonts) {
    const auto create = [&](const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                            int id, layout::TwipsRect twips, HFONT font) {
        const layout::PixelRect r = layout::ToPixels(twips, dpi);
        HWND control = Created(CreateWindowExA(
            exStyle, windowClass, text, WS_CHILD | style, r.left, r.top, r.width, r.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr));
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    Controls controls{};
    // Screen readers name an edit control after the label just before it;
    // this one is never shown and takes no focus.
    create("STATIC", kTextBoxLabel, SS_NOPREFIX, 0, control_ids::kLblISO, layout::kTxtISO, nullptr);
    controls.txtISO =
        create("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
               control_ids::kTxtISO, layout::kTxtISO, fonts.textBox.get());
    // No limit on the length of the path beyond the control's own.
    SendMessageA(controls.txtISO, EM_SETLIMITTEXT, 0, 0);
    controls.cmdBrowse = create("BUTTON", "...", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                control_ids::kCmdBrowse, layout::kCmdBrowse, fonts.window.get());
    controls.cmdConvert = create("BUTTON", "Convert", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                 control_ids::kCmdConvert, layout::kCmdConvert, fonts.window.get());

    // The links take no focus and size their width to their caption.
    constexpr DWORD kLabelStyle = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOTIFY | SS_NOPREFIX;
    layout::TwipsRect site = layout::kLblSite;
    site.width = LabelWidth(window, fonts.window.get(), dpi, kSiteCaption);
    controls.lblSite = create("STATIC", kSiteCaption, kLabelStyle, 0, control_ids::kLblSite, site,
                              fonts.window.get());
    layout::TwipsRect readme = layout::kLblReadme;
    readme.width = LabelWidth(window, fonts.window.get(), dpi, kReadmeCaption);
    controls.lblReadme = create("STATIC", kReadmeCaption, kLabelStyle, 0, control_ids::kLblReadme,
                                readme, fonts.window.get());

    controls.imgLogo = create("STATIC", "", WS_VISIBLE | SS_BITMAP, 0, control_ids::kImgLogo,
                              layout::kImgLogo, nullptr);
    return controls;
}

void ShowCentred(HWND window, HWND focus) {
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    SetFocus(focus);
}

}  // namespace main_window
