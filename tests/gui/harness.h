#pragma once

// Helpers for the Windows tests that start the real program in a folder of its
// own and drive it from outside with window messages, as a user would.

#include <windows.h>
#include <oleacc.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/texts.h"

namespace gui_test {

constexpr char kProgramName[] = "Kestrimond GUI.exe";
constexpr DWORD kPatience = 30000;  // ms; start-up under Wine varies several-fold

// Polls `done` every 10 ms until it answers true or `timeoutMs` pass.
template <typename Done>
bool WaitUntil(Done done, DWORD timeoutMs = kPatience) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The folder of the running test program, where the build also put the
// program under test and the stand-in converter.
std::string BuildFolder();

bool FileExists(const std::string& path);
// A text of this process's ANSI code page as the wide name it stands for.
std::wstring Wide(const std::string& text);
// The file or folder an ANSI path names, by its long wide name (empty when
// there is none).
std::wstring LongNameOf(const std::string& path);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
void WriteFile(const std::wstring& path, const std::string& content);

// A fresh temporary folder, removed with everything in it at the end of its life.
class TempFolder {
public:
    // `name` becomes part of the folder's name (blanks and all).
    explicit TempFolder(const std::string& name = "kestrimond test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// An application folder: the program, and on request the stand-in converter
// and its two data files.
class AppFolder : public TempFolder {
public:
    struct Contents {
        bool converter = true;
        bool dataFiles = true;
    };
    explicit AppFolder(Contents contents, const std::string& name = "kestrimond app");
    AppFolder() : AppFolder(Contents{}) {}

    std::string program() const { return *this / kProgramName; }
};

// What a test asks of the program's start.
struct StartOptions {
    std::string currentDirectory;                                  // empty: the test's own
    std::vector<std::pair<std::string, std::string>> environment;  // added to the test's
    // After the program's quoted path and a blank; none when empty.
    std::wstring arguments{};
};

// The program under test, started in its own process and ended when the
// test ends, whatever happened.
class Program {
public:
    explicit Program(const std::string& exePath, const StartOptions& options = {});
    explicit Program(const std::wstring& exePath, const StartOptions& options = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD id() const { return processId_; }
    DWORD threadId() const { return threadId_; }

    // The main window, once it exists and is visible; nullptr after the wait.
    HWND WaitForMainWindow(DWORD timeoutMs = kPatience) const;
    // The main window, visible or not (nullptr when there is none).
    HWND MainWindow() const;
    // A message box of the program's, once one shows; nullptr after the wait.
    HWND WaitForMessageBox(DWORD timeoutMs = kPatience) const;
    // The program's visible message box now, or nullptr.
    HWND MessageBox() const;
    // A visible top-level window of the program with this exact title, or nullptr.
    HWND TopLevelWindow(const std::string& title, const char* windowClass = nullptr) const;

    bool WaitForExit(DWORD timeoutMs = kPatience) const;
    bool Running() const;
    DWORD ExitCode() const;
    // The processor time the program's window thread has used, in ms.
    double ThreadCpuMs() const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

// The current text of a window of another process.
std::string TextOf(HWND window);
// Replaces the text of another process's control, as typing or pasting would.
void SetText(HWND control, const std::string& text);
// The class name of a window.
std::string ClassOf(HWND window);
// A control of `parent` by its identifier (nullptr when there is none).
HWND Control(HWND parent, int id);

// Presses a push button the way a click does: its parent gets BN_CLICKED.
void Click(HWND button);
// Clicks a label with the left mouse button.
void ClickLabel(HWND label);

// The width of a caption in the window font of `fontHeight`, as this process
// measures it.
int CaptionWidth(const std::string& caption, int fontHeight);
// A control's rectangle relative to its parent's client area, in pixels.
RECT RectInParent(HWND control);
// The window that has the keyboard focus on the program's thread.
HWND FocusOf(DWORD threadId);

// What a message box shows.
struct MessageBoxContents {
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
    bool stopIcon = false;   // the critical (stop) icon is the one shown
    bool otherIcon = false;  // another standard icon matched instead
};
MessageBoxContents ReadMessageBox(HWND box);
// Presses OK in a message box.
void PressOk(HWND box);

// Expects the program's error box (its title, `text`, OK alone, the stop
// icon), presses OK and waits until the box is gone.
void ExpectErrorBox(const Program& program, const std::string& text);

// Presses F1 with `window` in front: only a real key press asks for help.
void PressF1(HWND window);
// Double-clicks the middle of `control` with the real mouse, its window in front.
void DoubleClick(HWND control);
// Asks `window` for help on `item`, as Windows does for F1 there.
void AskForHelp(HWND window, HWND item);

// A control's accessible object as a screen reader in another process gets it,
// in a COM apartment of the calling thread's own; "" and 0 where there is none.
class AccessibleObject {
public:
    explicit AccessibleObject(HWND control);
    ~AccessibleObject();
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    std::wstring Name() const;
    long Role() const;
    long State() const;
    HRESULT DoDefaultAction() const;

private:
    HRESULT com_;
    IAccessible* object_ = nullptr;
    VARIANT self_{};
};

}  // namespace gui_test
