#include "tests/gui/harness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace gui_test {
namespace {

std::string ModuleFolder() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string full(path, length);
    return full.substr(0, full.find_last_of('\\'));
}

// Wide, so that names of any script and paths of any length go too.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

struct Search {
    DWORD processId;
    std::string title;
    const char* windowClass;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || (search.visibleOnly && !IsWindowVisible(window))) {
        return TRUE;
    }
    char title[512] = "";
    GetWindowTextA(window, title, sizeof title);
    if (search.title != title) {
        return TRUE;
    }
    if (search.windowClass && ClassOf(window) != search.windowClass) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

HWND FindTopLevel(DWORD processId, const std::string& title, const char* windowClass,
                  bool visibleOnly) {
    Search search{processId, title, windowClass, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Sets environment variables for as long as it lives, so that a child started
// meanwhile inherits them.
class EnvironmentScope {
public:
    explicit EnvironmentScope(const std::vector<std::pair<std::string, std::string>>& variables) {
        for (const auto& [name, value] : variables) {
            char old[32768];
            const DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
            saved_.push_back({name, length > 0 && length < sizeof old,
                              std::string(old, length < sizeof old ? length : 0)});
            SetEnvironmentVariableA(name.c_str(), value.c_str());
        }
    }
    ~EnvironmentScope() {
        for (const Saved& saved : saved_) {
            SetEnvironmentVariableA(saved.name.c_str(),
                                    saved.existed ? saved.value.c_str() : nullptr);
        }
    }

private:
    struct Saved {
        std::string name;
        bool existed;
        std::string value;
    };
    std::vector<Saved> saved_;
};

// The pixels of a 32 x 32 square of the screen.
std::vector<COLORREF> ScreenSquare(int x, int y) {
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int row = 0; row < 32; ++row) {
        for (int column = 0; column < 32; ++column) {
            pixels.push_back(GetPixel(screen, x + column, y + row));
        }
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A standard icon drawn over `background`, as a 32 x 32 square of pixels.
std::vector<COLORREF> DrawnIcon(LPCSTR icon, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT square{0, 0, 32, 32};
    FillRect(memory, &square, brush);
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, icon), 32, 32, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int row = 0; row < 32; ++row) {
        for (int column = 0; column < 32; ++column) {
            pixels.push_back(GetPixel(memory, column, row));
        }
    }
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(child);
    return TRUE;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

}  // namespace

std::string BuildFolder() {
    return ModuleFolder();
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    return wide;
}

std::wstring LongNameOf(const std::string& path) {
    std::wstring name(32768, L'\0');
    name.resize(GetLongPathNameW(Wide(path).c_str(), name.data(), static_cast<DWORD>(name.size())));
    return name;
}

std::string ReadFile(const std::string& path) {
    std::string content;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            content.append(buffer, read);
        }
        std::fclose(file);
    }
    return content;
}

void WriteFile(const std::string& path, const std::string& content) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
}

void WriteFile(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE ||
        !::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr)) {
        throw std::runtime_error("cannot write a file by its wide name");
    }
    CloseHandle(file);
}

TempFolder::TempFolder(const std::string& name) {
    static int made = 0;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++made) + "-" + std::to_string(GetTickCount());
    if (!CreateDirectoryA(path_.c_str(), nullptr)) {
        throw std::runtime_error("cannot make " + path_);
    }
}

TempFolder::~TempFolder() {
    RemoveTree(Wide(path_));
}

AppFolder::AppFolder(Contents contents, const std::string& name) : TempFolder(name) {
    const std::string build = BuildFolder();
    CopyFileA((build + "\\" + kProgramName).c_str(), program().c_str(), FALSE);
    if (contents.converter) {
        CopyFileA((build + "\\kestrimond.exe").c_str(), (*this / "kestrimond.exe").c_str(), FALSE);
    }
    if (contents.dataFiles) {
        WriteFile(*this / "keys.bin", "keys");
        WriteFile(*this / "base.pbp", "base");
    }
}

Program::Program(const std::string& exePath, const StartOptions& options)
    : Program(Wide(exePath), options) {}

Program::Program(const std::wstring& exePath, const StartOptions& options) {
    EnvironmentScope environment(options.environment);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Wide, as the shell starts a program with names of any script.
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!options.arguments.empty()) {
        commandLine += L" " + options.arguments;
    }
    const std::wstring directory = Wide(options.currentDirectory);
    // Under load Wine has been seen to refuse a start once (some 1 in 300),
    // straight after the program was copied: a second try follows.
    const auto start = [&] {
        // With Windows' own error mode, not this test's, as the shell starts it.
        return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                              CREATE_DEFAULT_ERROR_MODE, nullptr,
                              directory.empty() ? nullptr : directory.c_str(), &startup, &info);
    };
    if (!start() && (Sleep(500), !start())) {
        throw std::runtime_error("cannot start the program: error " +
                                 std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    threadId_ = info.dwThreadId;
}

Program::~Program() {
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 10000);
    }
    CloseHandle(process_);
}

HWND Program::MainWindow() const {
    return FindTopLevel(processId_, texts::kMainTitle, nullptr, false);
}

HWND Program::WaitForMainWindow(DWORD timeoutMs) const {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindTopLevel(processId_, texts::kMainTitle, nullptr, true)); },
              timeoutMs);
    return window;
}

HWND Program::MessageBox() const {
    return FindTopLevel(processId_, texts::kBoxTitle, "#32770", true);
}

HWND Program::WaitForMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = MessageBox()) != nullptr; }, timeoutMs);
    return box;
}

HWND Program::TopLevelWindow(const std::string& title, const char* windowClass) const {
    return FindTopLevel(processId_, title, windowClass, true);
}

bool Program::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool Program::Running() const {
    return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD Program::ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

double Program::ThreadCpuMs() const {
    HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId_);
    FILETIME times[4]{};  // created, ended, kernel, user
    GetThreadTimes(thread, &times[0], &times[1], &times[2], &times[3]);
    CloseHandle(thread);
    return ((ULONGLONG(times[2].dwHighDateTime) + times[3].dwHighDateTime) * 4294967296.0 +
            times[2].dwLowDateTime + times[3].dwLowDateTime) /
           10000.0;
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    // A program busy for a while (loading the OLE libraries for its logo
    // while the machine is loaded) answers late, but answers.
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kPatience, &length)) {
        return "<no answer>";
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, kPatience, &copied);
    text.resize(copied);
    return text;
}

void SetText(HWND control, const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        kPatience, &result);
}

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND Control(HWND parent, int id) {
    return GetDlgItem(parent, id);
}

void Click(HWND button) {
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void ClickLabel(HWND label) {
    PostMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

int CaptionWidth(const std::string& caption, int fontHeight) {
    LOGFONTA font{};
    font.lfHeight = fontHeight;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    lstrcpyA(font.lfFaceName, "Trebuchet MS");
    HFONT handle = CreateFontIndirectA(&font);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, handle);
    SIZE extent{};
    GetTextExtentPoint32A(screen, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(handle);
    return extent.cx;
}

RECT RectInParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

MessageBoxContents ReadMessageBox(HWND box) {
    MessageBoxContents contents;
    contents.title = TextOf(box);
    HWND iconStatic = nullptr;
    for (HWND child : ChildrenOf(box)) {
        const std::string windowClass = ClassOf(child);
        if (GetDlgCtrlID(child) == 0xFFFF && windowClass == "Static") {
            contents.text = TextOf(child);
        } else if (windowClass == "Button") {
            contents.buttons.push_back(TextOf(child));
        } else if (windowClass == "Static" &&
                   (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            iconStatic = child;
        }
    }
    if (iconStatic) {
        // Icons belong to their process, so compare what the box shows on the
        // screen with the standard icons drawn here.
        RECT r;
        GetWindowRect(iconStatic, &r);
        WaitUntil(
            [&] {
                const std::vector<COLORREF> shown = ScreenSquare(r.left, r.top);
                contents.stopIcon = shown == DrawnIcon(IDI_HAND, shown.front());
                contents.otherIcon = false;
                for (LPCSTR other :
                     {IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK, IDI_APPLICATION}) {
                    contents.otherIcon =
                        contents.otherIcon || shown == DrawnIcon(other, shown.front());
                }
                return contents.stopIcon || contents.otherIcon;
            },
            3000);
    }
    return contents;
}

void PressOk(HWND box) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void ExpectErrorBox(const Program& program, const std::string& text) {
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box";
    const MessageBoxContents contents = ReadMessageBox(box);
    EXPECT_EQ(contents.title, texts::kBoxTitle);
    EXPECT_EQ(contents.text, text);
    EXPECT_EQ(contents.buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(contents.stopIcon);
    PressOk(box);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
}

static void BringToFront(HWND window) {
    SetForegroundWindow(window);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5000))
        << "the window did not come to the front";
}

void PressF1(HWND window) {
    BringToFront(window);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void DoubleClick(HWND control) {
    BringToFront(GetAncestor(control, GA_ROOT));
    RECT r;
    GetWindowRect(control, &r);
    // Each press carries its place: under Wine the pointer's last move on the
    // X display may still be on its way and move it elsewhere.
    const LONG x = ((r.left + r.right) / 2) * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG y = ((r.top + r.bottom) / 2) * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dx = x;
        clicks[i].mi.dy = y;
        clicks[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                               (i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    }
    SendInput(4, clicks, sizeof(INPUT));
}

void AskForHelp(HWND window, HWND item) {
    HELPINFO help{sizeof help, HELPINFO_WINDOW, GetDlgCtrlID(item), item, 0, {}};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help), SMTO_ABORTIFHUNG, 2000,
                        &answer);
}

AccessibleObject::AccessibleObject(HWND control)
    : com_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {
    self_.vt = VT_I4;  // and CHILDID_SELF, 0
    AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                               reinterpret_cast<void**>(&object_));
}

AccessibleObject::~AccessibleObject() {
    if (object_) {
        object_->Release();
    }
    if (SUCCEEDED(com_)) {
        CoUninitialize();
    }
}

std::wstring AccessibleObject::Name() const {
    BSTR name = nullptr;
    if (!object_ || FAILED(object_->get_accName(self_, &name)) || !name) {
        return L"";
    }
    const std::wstring text = name;
    SysFreeString(name);
    return text;
}

long AccessibleObject::Role() const {
    VARIANT role{};
    return object_ && SUCCEEDED(object_->get_accRole(self_, &role)) ? role.lVal : 0;
}

long AccessibleObject::State() const {
    VARIANT state{};
    return object_ && SUCCEEDED(object_->get_accState(self_, &state)) ? state.lVal : 0;
}

HRESULT AccessibleObject::DoDefaultAction() const {
    return object_ ? object_->accDoDefaultAction(self_) : E_NOINTERFACE;
}

}  // namespace gui_test
