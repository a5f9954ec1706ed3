// A DLL the tests load into the running program, because fonts and icons
// belong to their process and cannot be read from outside. Once loaded, it
// writes what the main window uses to the file named by KESTRIMOND_PROBE_OUT
// (in the program's environment), one line per item:
//   dpi <logical pixels per inch>
//   errormode <the process's error mode>
//   font <control id> <face>|<height>|<weight>|<italic>|<underline>|<strike out>|<charset>
//   icon <big|small> <width>x<height> <same as the executable's icon resource: 1|0>
//   logo <width>x<height> of the picture the logo shows, once it shows one, or "none"
//   watching <1|0>: whether the moves of the open-file dialog are being recorded
// It also changes the main window's DPI when a test asks (ChangeDpi).
// The moves go to the same path with ".moves" added, one line each as the
// dialog's window procedure saw them:
//   move <SetWindowPos flags, hex> <left> <top> <right> <bottom>
// and a last line "end". It also makes drops on the main window when a test
// asks (probe_drop.h).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/gui/probe_drop.h"
#include "tests/gui/probe_window.h"
#include "tests/texts.h"
#include "ui/control_ids.h"

namespace {

// Windows 10's messages of a DPI change, spelt here as in Windows' headers.
constexpr UINT kDpiChanged = 0x02E0;
constexpr UINT kGetDpiScaledSize = 0x02E4;

HINSTANCE probeModule = nullptr;
std::string movesPath;

// Records each move of the open-file dialog once its window procedure has
// handled it, with the window's rectangle at that moment.
LRESULT CALLBACK WatchDialogMoves(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    char title[64] = "";
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED &&
        GetWindowTextA(call->hwnd, title, sizeof title) > 0 &&
        std::string(title) == texts::kDialogTitle) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(call->lParam);
        RECT r{};
        GetWindowRect(call->hwnd, &r);
        if (FILE* file = std::fopen(movesPath.c_str(), "ab")) {
            std::fprintf(file, "move %x %ld %ld %ld %ld\n", position->flags, r.left, r.top, r.right,
                         r.bottom);
            std::fclose(file);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK FindMain(HWND window, LPARAM lParam) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (process == GetCurrentProcessId() && std::string(title) == texts::kMainTitle) {
        *reinterpret_cast<HWND*>(lParam) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND ProgramMainWindow() {
    HWND main = nullptr;
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&main));
    return main;
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(child);
    return TRUE;
}

// Writes the "font" line of each control and the "logo" line; returns the
// fonts and the bitmap they use.
std::vector<HGDIOBJ> Describe(FILE* file, HWND main) {
    std::vector<HWND> children;
    EnumChildWindows(main, CollectChild, reinterpret_cast<LPARAM>(&children));
    std::vector<HGDIOBJ> objects;
    for (HWND child : children) {
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        LOGFONTA logFont{};
        if (font && GetObjectA(font, sizeof logFont, &logFont)) {
            objects.push_back(font);
            std::fprintf(file, "font %d %s|%ld|%ld|%d|%d|%d|%d\n", GetDlgCtrlID(child),
                         logFont.lfFaceName, logFont.lfHeight, logFont.lfWeight, logFont.lfItalic,
                         logFont.lfUnderline, logFont.lfStrikeOut, logFont.lfCharSet);
        } else {
            std::fprintf(file, "font %d none\n", GetDlgCtrlID(child));
        }
    }
    const auto picture = reinterpret_cast<HBITMAP>(
        SendMessageA(GetDlgItem(main, control_ids::kImgLogo), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bitmap{};
    if (picture && GetObjectA(picture, sizeof bitmap, &bitmap)) {
        objects.push_back(picture);
        std::fprintf(file, "logo %ldx%ld\n", bitmap.bmWidth, bitmap.bmHeight);
    } else {
        std::fprintf(file, "logo none\n");
    }
    return objects;
}

// The colour bits of an icon, to compare two icons' images.
std::vector<unsigned char> BitsOf(HICON icon, SIZE* size) {
    ICONINFO info{};
    std::vector<unsigned char> bits;
    if (!icon || !GetIconInfo(icon, &info)) {
        return bits;
    }
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    size->cx = bitmap.bmWidth;
    size->cy = bitmap.bmHeight;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = bitmap.bmWidth;
    header.bmiHeader.biHeight = bitmap.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    bits.resize(static_cast<std::size_t>(bitmap.bmWidth) * bitmap.bmHeight * 4);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, bits.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits;
}

DWORD WINAPI Report(void*) {
    char out[MAX_PATH * 4] = "";
    GetEnvironmentVariableA("KESTRIMOND_PROBE_OUT", out, sizeof out);
    HWND main = nullptr;
    for (int tries = 0; tries < 500 && !main; ++tries) {
        main = ProgramMainWindow();
        if (!main) {
            Sleep(20);
        }
    }
    FILE* file = std::fopen(out, "wb");
    if (!file) {
        return 1;
    }
    HDC screen = GetDC(nullptr);
    std::fprintf(file, "dpi %d\n", GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    // Vista on, and Wine.
    const auto getErrorMode = reinterpret_cast<UINT(WINAPI*)()>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetErrorMode")));
    std::fprintf(file, "errormode %u\n", getErrorMode());

    // Each icon against the executable's icon resource drawn at the same size.
    const struct {
        const char* name;
        WPARAM kind;
        int index;
    } icons[] = {{"big", ICON_BIG, GCLP_HICON}, {"small", ICON_SMALL, GCLP_HICONSM}};
    for (const auto& icon : icons) {
        HICON shown = reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, icon.kind, 0));
        if (!shown) {
            shown = reinterpret_cast<HICON>(GetClassLongPtrA(main, icon.index));
        }
        SIZE size{};
        const std::vector<unsigned char> bits = BitsOf(shown, &size);
        const HICON resource = static_cast<HICON>(LoadImageA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size.cx, size.cy, 0));
        SIZE resourceSize{};
        const bool same = !bits.empty() && bits == BitsOf(resource, &resourceSize);
        std::fprintf(file, "icon %s %ldx%ld %d\n", icon.name, size.cx, size.cy, same ? 1 : 0);
    }
    movesPath = std::string(out) + ".moves";
    const bool watching = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchDialogMoves, probeModule,
                                            GetWindowThreadProcessId(main, nullptr)) != nullptr;
    std::fprintf(file, "watching %d\n", watching ? 1 : 0);

    // The logo is decoded just after the window first shows.
    const HWND logo = GetDlgItem(main, control_ids::kImgLogo);
    for (int tries = 0; tries < 500 && !SendMessageA(logo, STM_GETIMAGE, IMAGE_BITMAP, 0);
         ++tries) {
        Sleep(20);
    }
    Describe(file, main);
    std::fprintf(file, "end\n");
    std::fclose(file);
    return 0;
}

}  // namespace

void ChangeDpi(const std::string& request, const std::string& answerPath) {
    int dpi = 0;
    RECT frame{};
    std::sscanf(request.c_str(), "dpi %d %ld %ld %ld %ld", &dpi, &frame.left, &frame.top,
                &frame.right, &frame.bottom);
    FILE* file = std::fopen(answerPath.c_str(), "wb");
    if (!file) {
        return;
    }
    const HWND main = ProgramMainWindow();
    const std::vector<HGDIOBJ> before = Describe(file, main);
    SIZE scaled{};
    const LRESULT answered =
        SendMessageA(main, kGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&scaled));
    SendMessageA(main, kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
    // The lines of the new state come last, and so count.
    Describe(file, main);
    std::fprintf(file, "scaled %d %ldx%ld\nfreed %d of %d\n", static_cast<int>(answered), scaled.cx,
                 scaled.cy,
                 static_cast<int>(std::count_if(before.begin(), before.end(),
                                                [](HGDIOBJ o) { return GetObjectType(o) == 0; })),
                 static_cast<int>(before.size()));
    std::fclose(file);
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        probeModule = module;
        // Nothing that may wait on the loader lock runs here.
        if (HANDLE thread = CreateThread(nullptr, 0, Report, nullptr, 0, nullptr)) {
            CloseHandle(thread);
        }
        StartDropWatcher();
    }
    return TRUE;
}
