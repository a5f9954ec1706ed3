// The third floor of the start-up benchmark: the program's start-up work done
// the plainest way, in plain Win32 calls and none of the program's code but
// its canary and its manifest's template and replacement. Built with the program's compilers
// and settings.
#include <windows.h>

#include <cwchar>
#include <string>

#include "resource_ids.h"
#include "tests/bench/floor_window.h"
#include "tests/texts.h"
#include "visualstyle/manifest.h"

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Files dropped from the shell come as WM_DROPFILES, as to the program.
constexpr DWORD kWindowExStyle = WS_EX_ACCEPTFILES;
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kLabelStyle = SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
constexpr int kTwipsPerInch = 1440;

// Where the plain floor lies and what it is called.
struct ProgramPath {
    std::string folder;  // no trailing backslash but at a drive root ("C:\")
    std::string name;    // the file name without its extension
};

struct Version {
    WORD major, minor, revision;
    std::string company, description;  // UTF-8, as the manifest is written
};

// A rectangle of the window's design, in twips.
struct Twips {
    int left, top, width, height;
};

ProgramPath ReadProgramPath() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    const std::string file(buffer, length < MAX_PATH ? length : 0);
    const std::size_t nameStart = file.find_last_of('\\') + 1;  // 0 without a backslash
    ProgramPath path{file.substr(0, nameStart > 0 ? nameStart - 1 : 0), file.substr(nameStart)};
    // "C:" alone would mean the drive's current folder, not its root.
    if (path.folder.size() == 2 && path.folder[1] == ':') {
        path.folder += '\\';
    }
    const std::size_t dot = path.name.find_last_of('.');
    if (dot != std::string::npos && dot != 0) {
        path.name.erase(dot);
    }
    return path;
}

std::size_t Aligned(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(size > 0 ? size - 1 : 0);  // without the NUL
    return utf8;
}

// The file version and two strings of the first string table, straight from
// the executable's own resources.
Version ReadVersion() {
    Version version{};
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_VERSION);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto* block = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!block) {
        return version;
    }
    // Each node: its length, its value's length, its type (1: text, whose length
    // counts characters), a NUL-ended UTF-16 key, the value, the children; each
    // part aligned to 4 bytes.
    const auto word = [&](std::size_t at) { return *reinterpret_cast<const WORD*>(block + at); };
    const auto key = [&](std::size_t at) {
        return reinterpret_cast<const wchar_t*>(block + at + 6);
    };
    const auto value = [&](std::size_t at) { return Aligned(at + 8 + 2 * std::wcslen(key(at))); };
    const auto children = [&](std::size_t at) {
        return Aligned(value(at) + (word(at + 4) == 1 ? 2 : 1) * word(at + 2));
    };
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(block + value(0));
    if (word(2) >= sizeof *fixed && fixed->dwSignature == 0xFEEF04BD) {
        version.major = HIWORD(fixed->dwFileVersionMS);
        version.minor = LOWORD(fixed->dwFileVersionMS);
        version.revision = LOWORD(fixed->dwFileVersionLS);
    }
    // A node shorter than its header ends a walk that would stay on it.
    for (std::size_t info = children(0); info < word(0) && word(info) >= 6;
         info = Aligned(info + word(info))) {
        if (std::wcscmp(key(info), L"StringFileInfo") != 0) {
            continue;
        }
        const std::size_t table = children(info);
        for (std::size_t entry = children(table); entry < table + word(table) && word(entry) >= 6;
             entry = Aligned(entry + word(entry))) {
            const wchar_t* text =
                word(entry + 2) > 0 ? reinterpret_cast<const wchar_t*>(block + value(entry)) : L"";
            if (std::wcscmp(key(entry), L"CompanyName") == 0) {
                version.company = Utf8(text);
            } else if (std::wcscmp(key(entry), L"FileDescription") == 0) {
                version.description = Utf8(text);
            }
        }
        break;
    }
    return version;
}

// A DLL of Windows by its full path, so that no file of the same name
// elsewhere is taken.
HMODULE LoadFromSystemFolder(const char* name) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH
               ? LoadLibraryA((std::string(folder, length) + '\\' + name).c_str())
               : nullptr;
}

// A function of a DLL of Windows, which stays loaded.
template <typename Fn>
Fn* SystemFunction(const char* dll, const char* name) {
    HMODULE module = LoadFromSystemFolder(dll);
    return module
               ? reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
               : nullptr;
}

// Writes the manifest beside the program afresh, for the next start.
void WriteManifest(const ProgramPath& program, const Version& version) {
    const auto pathIsNetworkPath =
        SystemFunction<BOOL WINAPI(LPCSTR)>("shlwapi.dll", "PathIsNetworkPathA");
    const char separator =
        pathIsNetworkPath && pathIsNetworkPath(program.folder.c_str()) ? '/' : '\\';
    std::string folder = program.folder.substr(0, program.folder.find_last_not_of(' ') + 1);
    folder.erase(0, folder.find_first_not_of(' '));
    if (folder.empty() || folder.back() != separator) {
        folder += separator;
    }
    const std::string path = folder + program.name + ".exe.manifest";
    // Of the attributes a search tells apart, mask 39 (read-only, hidden,
    // system, archive) takes all but the directory's.
    constexpr DWORD kAnyFile = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    static_assert(kAnyFile == 39);
    constexpr DWORD kSearched = kAnyFile | FILE_ATTRIBUTE_DIRECTORY;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path.c_str(), &entry);
    const bool found =
        search != INVALID_HANDLE_VALUE && (entry.dwFileAttributes & kSearched & ~kAnyFile) == 0;
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }

    std::string text = modXPStyle2::ManifestTemplate(sizeof(void*) == 8 ? "amd64" : "x86");
    modXPStyle2::ReplaceAll(text, "EXENAME", program.name + ".exe");
    modXPStyle2::ReplaceAll(text, "EXEVERSION",
                            std::to_string(version.major) + '.' + std::to_string(version.minor) +
                                '.' + std::to_string(version.revision) + ".0");
    modXPStyle2::ReplaceAll(text, "EXEDESCRIPTION", version.description);
    modXPStyle2::ReplaceAll(text, "COMPANYNAME", version.company);

    if (found) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
}

int Pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, kTwipsPerInch);
}

HFONT Font(const char* face, BYTE charset, int dpi) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(825, dpi, 7200);  // 8.25 pt
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

// The character set of the system's ANSI code page.
BYTE SystemCharset() {
    CHARSETINFO charset{};
    const auto codePage = reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP()));
    return TranslateCharsetInfo(codePage, &charset, TCI_SRCCODEPAGE)
               ? static_cast<BYTE>(charset.ciCharset)
               : DEFAULT_CHARSET;
}

// The caption's width in `font`, in twips.
int TextWidth(HWND window, HFONT font, int dpi, const char* text) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return MulDiv(extent.cx, kTwipsPerInch, dpi);
}

HWND Control(HWND window, const char* className, const char* text, DWORD style, DWORD exStyle,
             Twips at, int dpi, HFONT font) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style,
                                   Pixels(at.left, dpi), Pixels(at.top, dpi), Pixels(at.width, dpi),
                                   Pixels(at.height, dpi), window, nullptr, nullptr, nullptr);
    if (font) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    SetErrorMode(SetErrorMode(SEM_FAILCRITICALERRORS) | SEM_FAILCRITICALERRORS);
    // Per-monitor awareness version 2 where Windows takes it, as the program declares.
    const auto setContext =
        SystemFunction<BOOL WINAPI(HANDLE)>("user32.dll", "SetProcessDpiAwarenessContext");
    if (!setContext || !setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) {
        if (const auto setAware =
                SystemFunction<BOOL WINAPI()>("user32.dll", "SetProcessDPIAware")) {
            setAware();
        }
    }
    const ProgramPath program = ReadProgramPath();
    const Version version = ReadVersion();

    const DWORD windows = GetVersion();
    const bool xp = LOBYTE(windows) > 5 || (LOBYTE(windows) == 5 && HIBYTE(LOWORD(windows)) >= 1);
    HMODULE uxtheme = LoadFromSystemFolder("uxtheme.dll");
    const bool themeLibrary = uxtheme != nullptr;
    if (themeLibrary) {
        FreeLibrary(uxtheme);
    }
    if (xp && themeLibrary) {
        const auto isThemeActive = SystemFunction<BOOL WINAPI()>("uxtheme.dll", "IsThemeActive");
        if (isThemeActive && isThemeActive()) {
            WriteManifest(program, version);
        }
    }

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FloorWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(resource_ids::kIconGroup));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "PlainFloor";
    RegisterClassExA(&windowClass);
    RECT frame{0, 0, Pixels(7770, dpi), Pixels(1125, dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    HWND window = CreateWindowExA(kWindowExStyle, "PlainFloor", texts::kMainTitle, kWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);

    HFONT windowFont = Font("Trebuchet MS", ANSI_CHARSET, dpi);
    HFONT textBoxFont = Font("MS Sans Serif", SystemCharset(), dpi);
    HWND txtISO = Control(window, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                          {2160, 480, 3615, 375}, dpi, textBoxFont);
    Control(window, "BUTTON", texts::kBrowse, kButtonStyle, 0, {5760, 480, 375, 375}, dpi,
            windowFont);
    Control(window, "BUTTON", texts::kConvert, kButtonStyle, 0, {6360, 480, 1335, 375}, dpi,
            windowFont);
    Control(window, "STATIC", texts::kSite, kLabelStyle, 0,
            {2040, 0, TextWidth(window, windowFont, dpi, texts::kSite), 240}, dpi, windowFont);
    Control(window, "STATIC", texts::kReadme, kLabelStyle, 0,
            {6480, 0, TextWidth(window, windowFont, dpi, texts::kReadme), 240}, dpi, windowFont);
    // Empty: the logo is loaded only once the window shows.
    Control(window, "STATIC", "", SS_BITMAP, 0, {0, 0, 2010, 1110}, dpi, nullptr);

    std::string converter = program.folder;
    if (converter.empty() || converter.back() != '\\') {
        converter += '\\';
    }
    converter += "kestrimond.exe";
    const DWORD attributes = GetFileAttributesA(converter.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        MessageBoxA(nullptr, "kestrimond.exe is missing.", texts::kMainTitle, MB_OK | MB_ICONERROR);
        return 1;
    }

    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    SetFocus(txtISO);
    return FloorMessageLoop(window);
}
