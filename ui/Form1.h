#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <exception>
#include <list>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "ui/accessible_control.h"
#include "ui/gdi_object.h"
#include "ui/main_window.h"

// Reports an error that no handler expected and ends the program with a
// failure code, as nothing can be trusted any more.
[[noreturn]] void EndForUnexpectedError(HWND owner, const std::exception& error);

// The program's one window: the logo, the two links, the image-path text box
// and the two buttons.
class Form1 {
public:
    // Runs the initialisation handler: nothing is on the screen yet.
    Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Creates the window and its controls, still hidden, and runs the load
    // handler, which ends the program when the converter is missing.
    void Load(HINSTANCE instance);

    // Shows the window centred on the screen, the focus in the text box, which
    // by then holds `image`, the path the program was started with, if any.
    // When no ANSI text can name that file, the window shows and then says so.
    void Show(const std::optional<std::wstring>& image);

    HWND hWnd() const { return hwnd_; }

    // Hands a file or a URL to the shell's "Open" verb and returns what the
    // shell returned.
    std::int32_t OpenDocument(std::string DocName);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void OnActivate(WPARAM wParam);
    LRESULT OnCtlColorStatic(HDC dc);
    void OnLoadLogo();
    void LayOut(int dpi);
    void OnDpiChanged(int dpi, RECT frame);
    void OnDropFiles(HDROP drop);
    void OnHelp(const HELPINFO& help);
    bool TakesCommands() const;

    void DescribeToScreenReaders();

    void Form_Initialize();
    void Form_Load();
    void cmdBrowse_Click();
    void cmdConvert_Click();
    void lblReadme_Click();
    void lblSite_Click();

    // Puts a path handed over by the shell into the text box, or returns the
    // message that says why it cannot.
    std::optional<std::string> PutShellImage(const std::wstring& path);

    // The Application-folder path of a file.
    static std::string AppFile(const char* name);
    common::FileSystemObject& FileSystem();
    std::string TextOf(HWND control) const;
    void ShowError(const std::string& text) const;

    HWND hwnd_ = nullptr;
    // The DPI the window is laid out for.
    int dpi_ = 96;
    main_window::Controls controls_{};
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus_ = nullptr;
    main_window::Fonts fonts_;
    GdiObject<HBITMAP> logo_;
    std::optional<common::FileSystemObject> fso_;
    // The controls that tell screen readers more than their captions.
    std::list<AccessibleControl> accessible_;
    // True while the converter runs, and until what was asked for meanwhile
    // has been dropped.
    bool converting_ = false;
};
