// The two links of the real program: the readme and the author's site are
// handed to the shell, which the test points at a recorder of its own. And
// what the shell and the other DLLs the program uses could load into it.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "tests/gui/harness.h"
#include "ui/control_ids.h"

namespace gui_test {
namespace {

// Points the shell's "Open" of text files and of http addresses at the
// recorder for as long as it lives, then puts back what was there. A new
// prefix does not even tie ".txt" to text files.
class ShellOpenRecorder {
public:
    ShellOpenRecorder() {
        const std::string command = "\"" + BuildFolder() + "\\shell_recorder.exe\" \"%1\"";
        const std::pair<const char*, std::string> settings[] = {
            {".txt", "txtfile"},
            {"txtfile\\shell\\open\\command", command},
            {"http\\shell\\open\\command", command}};
        for (const auto& [key, value] : settings) {
            saved_.push_back(Saved{key, Read(key)});
            Write(key, value);
        }
    }
    ~ShellOpenRecorder() {
        for (const Saved& saved : saved_) {
            if (saved.value) {
                Write(saved.key, *saved.value);
            } else {
                RegDeleteKeyA(HKEY_CLASSES_ROOT, saved.key);
            }
        }
    }
    ShellOpenRecorder(const ShellOpenRecorder&) = delete;
    ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

private:
    struct Saved {
        const char* key;
        std::optional<std::string> value;  // none: the key was not there
    };

    static std::optional<std::string> Read(const char* key) {
        char value[2048] = "";
        LONG size = sizeof value;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::string(value);
    }
    static void Write(const char* key, const std::string& value) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &handle, nullptr),
                  ERROR_SUCCESS)
            << key;
        RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(handle);
    }

    std::vector<Saved> saved_;
};

// The program started from `app`, its main window shown, with the shell's
// openings, and the converter's runs, recorded in a folder of their own.
struct LinkSession {
    explicit LinkSession(const AppFolder& app, const std::string& currentDirectory = "")
        : log(records / "shell.log"),
          converterLog(records / "converter.log"),
          program(app.program(), StartOptions{currentDirectory,
                                              {{"KESTRIMOND_RECORDER_LOG", log},
                                               {"KESTRIMOND_STANDIN_LOG", converterLog}}}),
          window(program.WaitForMainWindow()),
          lblReadme(Control(window, control_ids::kLblReadme)),
          lblSite(Control(window, control_ids::kLblSite)) {}

    // What the shell was asked to open, once `count` openings are recorded.
    std::string WaitForOpenings(std::size_t count) const {
        std::string recorded;
        WaitUntil([&] {
            recorded = ReadFile(log);
            std::size_t lines = 0;
            for (char c : recorded) {
                lines += c == '\n';
            }
            return lines >= 2 * count;
        });
        return recorded;
    }

    ShellOpenRecorder recorder;
    TempFolder records{"kestrimond shell"};
    std::string log;
    std::string converterLog;
    Program program;
    HWND window;
    HWND lblReadme;
    HWND lblSite;
};

TEST(ReadmeLink, AMissingReadmeIsReportedAtEveryClickAndNothingIsOpened) {
    AppFolder app;
    LinkSession session(app);
    ASSERT_NE(session.window, nullptr);
    for (int click = 0; click < 2; ++click) {
        ClickLabel(session.lblReadme);
        ExpectErrorBox(session.program, texts::kReadmeMissing);
    }
    // A folder of that name is no readme either.
    ASSERT_TRUE(CreateDirectoryA((app / "readme.txt").c_str(), nullptr));
    ClickLabel(session.lblReadme);
    ExpectErrorBox(session.program, texts::kReadmeMissing);
    // A screen reader's action is the same click, and returns before the box
    // shows; while the box holds the window, it fails, as a click does nothing.
    EXPECT_EQ(AccessibleObject(session.lblReadme).DoDefaultAction(), S_OK);
    ASSERT_NE(session.program.WaitForMessageBox(), nullptr);
    EXPECT_TRUE(FAILED(AccessibleObject(session.lblReadme).DoDefaultAction()));
    // Nor is a click that was already waiting in the queue carried out under the box.
    PostMessageA(session.window, WM_COMMAND, MAKEWPARAM(control_ids::kLblReadme, STN_CLICKED),
                 reinterpret_cast<LPARAM>(session.lblReadme));
    ExpectErrorBox(session.program, texts::kReadmeMissing);
    // It came out of the queue before the OK did: a second box would be up by now.
    EXPECT_EQ(session.program.WaitForMessageBox(2000), nullptr);

    // Anything the readme clicks had handed the shell would be recorded
    // before the site link's opening.
    ClickLabel(session.lblSite);
    EXPECT_EQ(session.WaitForOpenings(1), "arg=http://quillmarsh58.example.net/\ncwd=C:\\\n");
}

TEST(ReadmeLink, OpensTheReadmeOfTheProgramsFolderWithTheShell) {
    AppFolder app({true, false}, "kestrimond readme app");
    WriteFile(app / "readme.txt", "Kestrimond GUI\r\n");
    LinkSession session(app);
    ASSERT_NE(session.window, nullptr);
    const std::string opening = "arg=" + (app / "readme.txt") + "\ncwd=C:\\\n";
    ClickLabel(session.lblReadme);
    EXPECT_EQ(session.WaitForOpenings(1), opening);
    EXPECT_EQ(session.program.MessageBox(), nullptr);

    // Every click opens it again, and so does a screen reader's action.
    ClickLabel(session.lblReadme);
    EXPECT_EQ(session.WaitForOpenings(2), opening + opening);
    EXPECT_EQ(AccessibleObject(session.lblReadme).DoDefaultAction(), S_OK);
    EXPECT_EQ(session.WaitForOpenings(3), opening + opening + opening);
}

// F1 asks for the readme from the window, but not from the program's own box.
TEST(ReadmeLink, F1OpensTheReadmeButNotFromTheMissingReadmeBox) {
    AppFolder app({true, false}, "kestrimond f1 app");
    LinkSession session(app);
    ASSERT_NE(session.window, nullptr);
    PressF1(session.window);
    HWND box = session.program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    // Were F1 in the box, or help for the text box asked while the box is
    // up, taken for the window's, the readme would open now.
    WriteFile(app / "readme.txt", "Kestrimond GUI\r\n");
    PressF1(box);
    AskForHelp(session.window, Control(session.window, control_ids::kTxtISO));
    EXPECT_FALSE(WaitUntil([&] { return FileExists(session.log); }, 3000));
    ExpectErrorBox(session.program, texts::kReadmeMissing);

    PressF1(session.window);
    EXPECT_EQ(session.WaitForOpenings(1), "arg=" + (app / "readme.txt") + "\ncwd=C:\\\n");
}

TEST(SiteLink, HandsTheSitesAddressToTheShellWithNothingElseInTheFolder) {
    AppFolder app({true, false});
    LinkSession session(app);
    ASSERT_NE(session.window, nullptr);
    EXPECT_EQ(TextOf(session.lblSite), texts::kSite);
    ClickLabel(session.lblSite);
    EXPECT_EQ(session.WaitForOpenings(1), "arg=http://quillmarsh58.example.net/\ncwd=C:\\\n");
    EXPECT_EQ(session.program.MessageBox(), nullptr);
}

// Makes Wine load a DLL of this name from a file found in the program's
// search path before its own copy, for the program under test alone, as
// Windows does for every DLL outside its KnownDLLs list; for as long as it lives.
class PreferFilesNamed {
public:
    explicit PreferFilesNamed(const char* dll) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(key, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"),
                           sizeof "native,builtin");
            RegCloseKey(key);
        }
    }
    ~PreferFilesNamed() {
        RegDeleteKeyA(HKEY_CURRENT_USER, kOverrides);
        RegDeleteKeyA(HKEY_CURRENT_USER, kProgram);
    }
    PreferFilesNamed(const PreferFilesNamed&) = delete;
    PreferFilesNamed& operator=(const PreferFilesNamed&) = delete;

private:
    static constexpr char kProgram[] = "Software\\Wine\\AppDefaults\\Kestrimond GUI.exe";
    static constexpr char kOverrides[] =
        "Software\\Wine\\AppDefaults\\Kestrimond GUI.exe\\DllOverrides";
};

const std::string kPlanted = BuildFolder() + "\\planted_dll.dll";

// What loads DLLs into the program: the open-file dialog, the shell and a conversion.
void UseEveryDll(const AppFolder& app, const LinkSession& session) {
    Click(Control(session.window, control_ids::kCmdBrowse));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (dialog = session.program.TopLevelWindow(texts::kDialogTitle, "#32770")) != nullptr;
    }));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    ClickLabel(session.lblReadme);
    EXPECT_EQ(session.WaitForOpenings(1), "arg=" + (app / "readme.txt") + "\ncwd=C:\\\n");
    SetText(Control(session.window, control_ids::kTxtISO), app / "keys.bin");
    Click(Control(session.window, control_ids::kCmdConvert));
    EXPECT_TRUE(WaitUntil([&] { return FileExists(session.converterLog); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(session.window) != FALSE; }));
}

// Both starts: the first, which writes the manifest, and the next, which binds
// the common controls it names.
TEST(PlantedDll, NoneBesideTheProgramOrInItsCurrentFolderRunsInsideIt) {
    AppFolder app({true, true}, "kestrimond planted");
    WriteFile(app / "readme.txt", "Kestrimond GUI\r\n");
    TempFolder work("kestrimond work");
    for (const std::string& folder : {app.path(), work.path()}) {
        ASSERT_TRUE(CopyFileA(kPlanted.c_str(), (folder + "\\uxtheme.dll").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(kPlanted.c_str(), (folder + "\\comctl32.dll").c_str(), FALSE));
    }
    PreferFilesNamed uxtheme("uxtheme");
    PreferFilesNamed comctl32("comctl32");
    const auto expectNotLoaded = [&] {
        for (const std::string& folder : {app.path(), work.path()}) {
            EXPECT_FALSE(FileExists(folder + "\\uxtheme.dll.loaded")) << folder;
            EXPECT_FALSE(FileExists(folder + "\\comctl32.dll.loaded")) << folder;
        }
    };
    for (const char* start : {"first start", "next start, with the manifest"}) {
        SCOPED_TRACE(start);
        LinkSession session(app, work.path());
        expectNotLoaded();
        ASSERT_NE(session.window, nullptr);
        EXPECT_TRUE(FileExists(app / "Kestrimond GUI.exe.manifest"));
        UseEveryDll(app, session);
        expectNotLoaded();
        PostMessageA(session.window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(session.program.WaitForExit());
    }
}

// The system's own theme library, broken: without IsThemeActive the program
// cannot tell whether to write its manifest, and must say so, not crash.
TEST(PlantedDll, ASystemThemeLibraryWithoutIsThemeActiveIsReportedAndEndsTheProgram) {
    char system[MAX_PATH];
    const std::string library =
        std::string(system, GetSystemDirectoryA(system, MAX_PATH)) + "\\uxtheme.dll";
    const std::string saved = library + ".kestrimond";
    ASSERT_TRUE(MoveFileExA(library.c_str(), saved.c_str(), MOVEFILE_REPLACE_EXISTING));
    const bool replaced = CopyFileA(kPlanted.c_str(), library.c_str(), FALSE);
    {
        PreferFilesNamed broken("uxtheme");
        AppFolder app;
        Program program(app.program());
        if (replaced) {
            ExpectErrorBox(program, texts::UnexpectedError("IsThemeActive"));
            EXPECT_TRUE(program.WaitForExit());
            EXPECT_EQ(program.ExitCode(), 1u);
        }
    }
    DeleteFileA((library + ".loaded").c_str());
    EXPECT_TRUE(MoveFileExA(saved.c_str(), library.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(replaced) << "cannot put a file in the place of " << library;
}

}  // namespace
}  // namespace gui_test
