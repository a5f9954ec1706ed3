#pragma once

// Running a Windows program under Wine from a Linux test, and looking at what
// it did from the Linux side: its files, and its windows on the X display.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/visualstyle/process.h"

namespace host_test {

namespace fs = std::filesystem;

// The Wine loader of the build under test: KESTRIMOND_WINE, else wine64.
std::string Wine();
constexpr char kWineServer[] = "/usr/lib/wine/wineserver";
// Generous: Wine starts several times slower on a loaded machine.
constexpr auto kLimit = std::chrono::seconds(90);

constexpr unsigned kReadOnly = 1;
constexpr unsigned kHidden = 2;
constexpr unsigned kSystem = 4;

// The file's DOS attributes as Wine keeps them: hidden and system in an
// extended attribute, read-only as the lack of write permission.
unsigned DosAttributes(const fs::path& path);

std::string ReadFile(const fs::path& path);
void WriteFile(const fs::path& path, const std::string& content);
// The names in a folder, sorted.
std::vector<std::string> FolderEntries(const fs::path& folder);

// A window of the X display, as the X tools list it.
struct XWindow {
    std::string id;
    std::string title;
};
std::vector<XWindow> XWindows();
bool AnyWindowTitled(const std::string& title);
// Whether a window with exactly this title is mapped and viewable.
bool WindowShown(const std::string& title);

// A fresh temporary folder, removed with everything in it at the end of its life.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// A Wine prefix of a test's own, copied from a ready shared one into a
// temporary folder, with Wine's output going to a log there. At the end of its
// life it stops the prefix's Wine server, which ends every program in it, shows
// the log and removes the folder, whatever the checks found.
class CaseWine {
public:
    // Throws when the copy fails.
    CaseWine(const fs::path& sharedPrefix, const std::string& folderPrefix);
    ~CaseWine();
    CaseWine(const CaseWine&) = delete;
    CaseWine& operator=(const CaseWine&) = delete;

    // The variables of every Wine command of the case, to be changed before use.
    Environment& environment() { return environment_; }
    fs::path DriveC() const { return prefix_ / "drive_c"; }

    // Runs a Wine command to its end; it must succeed.
    testing::AssertionResult Run(const std::vector<std::string>& arguments);
    // Runs a Wine command to its end and captures what it writes.
    Outcome Capture(const std::vector<std::string>& arguments);

    // Starts a program, left running until the case ends.
    void Start(const std::string& windowsPath);
    bool ProgramRunning();
    // Ends the program that Start started.
    void Stop() { program_.reset(); }

private:
    void ShowLog() const;

    TempFolder work_;  // first in, last out: the log and prefix live here
    fs::path prefix_;
    fs::path logPath_;
    FileDescriptor log_;
    Environment environment_;
    std::optional<Process> program_;
};

}  // namespace host_test
