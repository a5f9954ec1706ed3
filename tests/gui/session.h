#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/gui/harness.h"

namespace gui_test {

// The real program started from `app` with its main window showing, what the
// stand-in converter records, and a place for the drops the probe makes.
struct Session {
    explicit Session(const AppFolder& app, const std::string& currentDirectory = "",
                     const std::wstring& arguments = L"");
    // The program at `program`, which may lie where no ANSI text reaches.
    explicit Session(const std::wstring& program, const std::string& currentDirectory = "",
                     const std::wstring& arguments = L"");

    // Types an image path and presses Convert.
    void Convert(const std::string& image);
    // Lets a held converter end.
    void Release() { WriteFile(release, ""); }
    // Drops `paths` on the main window as the shell does (see DropFiles).
    std::string Drop(const std::vector<std::wstring>& paths) const;
    // What the probe reads inside the program (see ProbeProgram).
    std::map<std::string, std::string> Probe() const;
    // Changes the window's DPI as Windows would, the frame to `frame`, and
    // returns the probe's answer (see ChangeDpi in probe_window.h).
    std::map<std::string, std::string> ChangeDpi(int dpi, const RECT& frame) const;

    TempFolder records{"kestrimond records"};
    std::string log;
    std::string release;
    std::string dropRequest;
    std::string probeReport;
    Program program;
    HWND window;
    HWND txtISO;
    HWND cmdConvert;
};

// One record of the stand-in converter's log.
struct ConverterRun {
    std::string commandLine;
    std::string currentDirectory;
    std::string mark;
    std::string errorMode;
};

std::vector<ConverterRun> RunsIn(const std::string& log);

}  // namespace gui_test
