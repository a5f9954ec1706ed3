// The real program, started from a fresh application folder and driven from
// outside: start-up check, layout, focus and the conversion.
#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <thread>

#include "tests/gui/harness.h"
#include "tests/gui/session.h"
#include "ui/control_ids.h"

namespace gui_test {
namespace {


TEST(StartUp, WithoutTheConverterTheProgramSaysSoAndEnds) {
    AppFolder app({/*converter=*/false, /*dataFiles=*/true});
    Program program(app.program());
    ExpectErrorBox(program, texts::kConverterMissing);
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 1u) << "a program that refused to start ends in failure";
    HWND never = program.MainWindow();
    EXPECT_TRUE(never == nullptr || !IsWindowVisible(never));
}

TEST(StartUp, AFolderNamedLikeTheConverterIsNoConverter) {
    AppFolder app({/*converter=*/false, /*dataFiles=*/true});
    CreateDirectoryA((app / "kestrimond.exe").c_str(), nullptr);
    Program program(app.program());
    HWND box = program.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    // The main window is not shown while the box is up, nor afterwards.
    HWND main = program.MainWindow();
    EXPECT_TRUE(main == nullptr || !IsWindowVisible(main));
    EXPECT_EQ(ReadMessageBox(box).text, texts::kConverterMissing);
    PressOk(box);
    EXPECT_TRUE(program.WaitForExit());
}

// Without its window the program could only wait for ever, unseen.
TEST(StartUp, AMainWindowThatCannotBeMadeIsReportedAndEndsTheProgram) {
    HMODULE hooks = LoadLibraryA((BuildFolder() + "\\planted_dll.dll").c_str());
    ASSERT_NE(hooks, nullptr);
    const auto refuse = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(hooks, "RefuseMainWindow")));
    HHOOK hook = SetWindowsHookExA(WH_CBT, refuse, hooks, 0);
    ASSERT_NE(hook, nullptr);
    AppFolder app;
    Program program(app.program());
    ExpectErrorBox(program, texts::UnexpectedError("CreateWindowExA"));
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 1u);
    UnhookWindowsHookEx(hook);
    FreeLibrary(hooks);
}

TEST(StartUp, WithTheConverterTheWindowShowsWithoutLookingForTheDataFiles) {
    AppFolder app({/*converter=*/true, /*dataFiles=*/false});
    Program program(app.program());
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(program.MessageBox(), nullptr);
    EXPECT_EQ(TextOf(Control(window, control_ids::kTxtISO)), "");
}

TEST(MainWindow, LayoutAt96Dpi) {
    AppFolder app;
    Program program(app.program());
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TextOf(window), texts::kMainTitle);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 518);
    EXPECT_EQ(client.bottom, 75);

    // A thin frame the user cannot drag, a title bar with the system menu.
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);

    // Centred on the screen.
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2.0, GetSystemMetrics(SM_CXSCREEN) / 2.0, 1.0);
    EXPECT_NEAR((frame.top + frame.bottom) / 2.0, GetSystemMetrics(SM_CYSCREEN) / 2.0, 1.0);

    struct Expected {
        int id;
        const char* windowClass;
        const char* caption;
        RECT rect;  // left, top, right, bottom; right < 0: sized to the caption
    };
    const Expected controls[] = {
        {control_ids::kTxtISO, "Edit", "", {144, 32, 144 + 241, 32 + 25}},
        {control_ids::kCmdBrowse, "Button", texts::kBrowse, {384, 32, 384 + 25, 32 + 25}},
        {control_ids::kCmdConvert, "Button", texts::kConvert, {424, 32, 424 + 89, 32 + 25}},
        {control_ids::kLblSite, "Static", texts::kSite, {136, 0, -1, 16}},
        {control_ids::kLblReadme, "Static", texts::kReadme, {432, 0, -1, 16}},
        {control_ids::kImgLogo, "Static", "", {0, 0, 134, 74}},
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.caption);
        HWND control = Control(window, expected.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), expected.windowClass);
        EXPECT_EQ(TextOf(control), expected.caption);
        const RECT r = RectInParent(control);
        EXPECT_EQ(r.left, expected.rect.left);
        EXPECT_EQ(r.top, expected.rect.top);
        EXPECT_EQ(r.bottom, expected.rect.bottom);
        if (expected.rect.right >= 0) {
            EXPECT_EQ(r.right, expected.rect.right);
        } else {
            EXPECT_EQ(r.right - r.left, CaptionWidth(expected.caption, -11));  // 8.25 pt
        }
    }
    // Six controls show; the label that names the text box for screen readers does not.
    int shown = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        shown += IsWindowVisible(child) ? 1 : 0;
    }
    EXPECT_EQ(shown, 6);
    // What a screen reader hears: the text box named by that label, the browse
    // button in words, the two labels as links.
    EXPECT_EQ(AccessibleObject(Control(window, control_ids::kTxtISO)).Name(),
              L"Image file (.iso, .img or .bin)");
    EXPECT_EQ(AccessibleObject(Control(window, control_ids::kCmdBrowse)).Name(),
              L"Browse for an image");
    for (int id : {control_ids::kLblSite, control_ids::kLblReadme}) {
        const AccessibleObject link(Control(window, id));
        EXPECT_EQ(link.Name(), Wide(TextOf(Control(window, id))));
        EXPECT_EQ(link.Role(), ROLE_SYSTEM_LINK);
        EXPECT_TRUE(link.State() & STATE_SYSTEM_LINKED);
    }
    // The links take no focus; neither button is a default button.
    EXPECT_FALSE(GetWindowLongA(Control(window, control_ids::kLblSite), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongA(Control(window, control_ids::kLblReadme), GWL_STYLE) & WS_TABSTOP);
    for (int id : {control_ids::kCmdBrowse, control_ids::kCmdConvert}) {
        EXPECT_EQ(GetWindowLongA(Control(window, id), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    }
}

TEST(MainWindow, FocusStartsInTheTextBoxAndTabCyclesThroughTheButtons) {
    AppFolder app;
    Program program(app.program());
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    const HWND txtISO = Control(window, control_ids::kTxtISO);
    const HWND order[] = {Control(window, control_ids::kCmdBrowse),
                          Control(window, control_ids::kCmdConvert), txtISO,
                          Control(window, control_ids::kCmdBrowse)};
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(program.threadId()) == txtISO; }));
    for (HWND next : order) {
        HWND focus = FocusOf(program.threadId());
        PostMessageA(focus, WM_KEYDOWN, VK_TAB, 0x000F0001);
        PostMessageA(focus, WM_KEYUP, VK_TAB, 0xC00F0001);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(program.threadId()) == next; }, 5000))
            << "focus did not move to " << TextOf(next);
    }
}

TEST(MainWindow, EnterInTheTextBoxStartsNothing) {
    AppFolder app;
    TempFolder images;
    WriteFile(images / "game.iso", "image");
    Session session(app);
    ASSERT_NE(session.window, nullptr);
    SetText(session.txtISO, images / "game.iso");
    PostMessageA(session.txtISO, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageA(session.txtISO, WM_KEYUP, VK_RETURN, 0xC01C0001);
    Sleep(1500);
    EXPECT_FALSE(FileExists(session.log));
    EXPECT_TRUE(IsWindowVisible(session.window));
}

TEST(Convert, MissingDataFilesAreNamedAndNothingIsStarted) {
    struct Case {
        bool keys, base;
        const char* missing;
    };
    for (const Case& c : {Case{false, false, "\"keys.bin\"\r\"base.pbp\""},
                          Case{false, true, "\"keys.bin\""}, Case{true, false, "\"base.pbp\""}}) {
        SCOPED_TRACE(c.missing);
        AppFolder app({/*converter=*/true, /*dataFiles=*/false});
        if (c.keys) {
            WriteFile(app / "keys.bin", "keys");
        }
        if (c.base) {
            WriteFile(app / "base.pbp", "base");
        }
        Session session(app);
        ASSERT_NE(session.window, nullptr);
        // The image is not looked at: an empty text box makes no difference.
        session.Convert("");
        ExpectErrorBox(session.program, texts::DataFilesMissing(c.missing));
        EXPECT_TRUE(IsWindowVisible(session.window));
        EXPECT_FALSE(FileExists(session.log));
    }
}

TEST(Convert, AMissingImageIsReportedAndNothingIsStarted) {
    // Wine finds a file behind a pipe's name on another machine; Windows would open the pipe.
    std::string unc(MAX_PATH, '\0');
    unc.resize(GetEnvironmentVariableA("WINEPREFIX", unc.data(), MAX_PATH));
    unc = "Z:" + std::regex_replace(unc, std::regex("/"), "\\") + "\\dosdevices\\unc";
    for (const char* folder : {"", "\\server", "\\server\\pipe"}) {
        CreateDirectoryA((unc + folder).c_str(), nullptr);
    }
    WriteFile(unc + "\\server\\pipe\\x", "image");
    ASSERT_TRUE(FileExists("\\\\server\\pipe\\x"));
    AppFolder app;
    Session session(app);
    ASSERT_NE(session.window, nullptr);
    TempFolder images;
    CreateDirectoryA((images / "folder.iso").c_str(), nullptr);
    const std::string hostile[] = {
        "",                            // nothing typed
        images / "missing.iso",        // no such file
        images / "folder.iso",         // a folder
        std::string(40000, 'x'),       // far too long for any path
        "a\" \"b",                     // quotes that would break the command line
        images / "game\" --evil \"x",  // an argument smuggled in
        "con:<>|*?.iso",               // characters no file name may hold
        "\\\\server\\pipe\\x",         // another machine's pipe, a file to Wine
        "CON",                         // devices, even at the end of a folder
        "NUL",
        images / "aux",
        "\\\\.\\NUL",
    };
    for (const std::string& image : hostile) {
        SCOPED_TRACE(image.substr(0, 60));
        session.Convert(image);
        ExpectErrorBox(session.program, texts::kImageMissing);
        EXPECT_TRUE(session.program.Running());
        EXPECT_TRUE(IsWindowVisible(session.window));
    }
    EXPECT_FALSE(FileExists(session.log));
}

TEST(Convert, RunsTheConverterWithTheWindowHiddenUntilItEnds) {
    AppFolder app({true, true}, "kestrimond");  // no blank in the folder's name
    TempFolder work("kestrimond work");
    TempFolder images;
    WriteFile(images / "my game.iso", "image");
    Session session(app, work.path());
    ASSERT_NE(session.window, nullptr);

    session.Convert(images / "my game.iso");
    ASSERT_TRUE(WaitUntil([&] { return FileExists(session.log); })) << "converter not started";
    EXPECT_FALSE(IsWindowVisible(session.window));
    // A screen reader is answered while the converter runs: with the browse
    // button's name, and with a failure to follow the readme link, which would
    // show a box (there is no readme) and is not followed afterwards either.
    std::atomic<bool> answered = false;
    std::wstring name;
    HRESULT followed = S_OK;
    std::thread reader([&] {
        name = AccessibleObject(Control(session.window, control_ids::kCmdBrowse)).Name();
        followed =
            AccessibleObject(Control(session.window, control_ids::kLblReadme)).DoDefaultAction();
        answered = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return answered.load(); }, 10000))
        << "the reader waits for the run";
    // Other programs' messages are answered meanwhile (a broadcast would wait
    // for them), but neither a command sent to the window nor a request for
    // help starts anything: no second run, no missing-readme box.
    DWORD_PTR answer = 0;
    EXPECT_TRUE(
        SendMessageTimeoutA(session.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer));
    EXPECT_TRUE(SendMessageTimeoutA(
        session.window, WM_COMMAND, MAKEWPARAM(control_ids::kCmdConvert, BN_CLICKED),
        reinterpret_cast<LPARAM>(session.cmdConvert), SMTO_ABORTIFHUNG, 2000, &answer));
    AskForHelp(session.window, session.txtISO);
    // A click left in the queue does not keep waking the wait.
    PostMessageA(session.cmdConvert, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageA(session.cmdConvert, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    const double cpuBefore = session.program.ThreadCpuMs();
    Sleep(5000);
    EXPECT_LT(session.program.ThreadCpuMs() - cpuBefore, 50.0) << "the wait is busy";
    EXPECT_FALSE(IsWindowVisible(session.window)) << "shown again before the converter ended";
    session.Release();
    reader.join();
    EXPECT_EQ(name, L"Browse for an image");
    EXPECT_TRUE(FAILED(followed));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.window) != FALSE; }));
    EXPECT_EQ(session.program.WaitForMessageBox(2000), nullptr);

    const std::vector<ConverterRun> runs = RunsIn(session.log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, app / "kestrimond.exe" + " \"" + images / "my game.iso" + "\"");
    EXPECT_EQ(runs[0].currentDirectory, work.path());
    EXPECT_EQ(runs[0].mark, "inherited 42");
    // The converter starts with Windows' default error mode, not the program's.
    EXPECT_EQ(runs[0].errorMode, "0");
    // The path stays for another run.
    EXPECT_EQ(TextOf(session.txtISO), images / "my game.iso");

    // Closed by another program during a run, the program ends with the run
    // instead of staying on with no window.
    ASSERT_TRUE(DeleteFileA(session.release.c_str()));
    Click(session.cmdConvert);
    ASSERT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 2; }));
    EXPECT_TRUE(
        SendMessageTimeoutA(session.window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
    session.Release();
    EXPECT_TRUE(session.program.WaitForExit(10000)) << "still running without a window";
    EXPECT_EQ(session.program.ExitCode(), 0u);
}

// Both clicks of a double click wait in the input queue while the first one's
// conversion runs; the second was meant for that one.
TEST(Convert, ADoubleClickConvertsOnceAndTheNextClickAgain) {
    AppFolder app({true, true}, "kestrimond");
    TempFolder images;
    WriteFile(images / "game.iso", "image");
    Session session(app);
    ASSERT_NE(session.window, nullptr);
    SetText(session.txtISO, images / "game.iso");
    ASSERT_EQ(TextOf(session.txtISO), images / "game.iso");
    DoubleClick(session.cmdConvert);
    ASSERT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 1; }));
    session.Release();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.window) != FALSE; }));
    Sleep(1500);
    EXPECT_EQ(RunsIn(session.log).size(), 1u) << "a double click converted twice";

    Click(session.cmdConvert);
    ASSERT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 2; }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.window) != FALSE; }));
    // A path behind the long-path prefix names its file like any other, and
    // reaches the converter as it was typed.
    session.Convert("\\\\?\\" + images / "game.iso");
    ASSERT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 3; }));
    const std::vector<ConverterRun> runs = RunsIn(session.log);
    EXPECT_EQ(runs[0].commandLine, runs[1].commandLine);
    EXPECT_EQ(runs[2].commandLine, app / "kestrimond.exe" + " \"\\\\?\\" + images / "game.iso\"");
}

TEST(Convert, BlanksInTheFoldersAndARelativeImagePath) {
    AppFolder app({true, true}, "kestrimond app with blanks");
    TempFolder work("kestrimond work");
    WriteFile(work / "relative game.bin", "image");
    Session session(app, work.path());
    ASSERT_NE(session.window, nullptr);
    session.Release();
    session.Convert("relative game.bin");
    ASSERT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.window) != FALSE; }));
    const ConverterRun run = RunsIn(session.log)[0];
    // The converter's path is quoted, so Windows starts exactly it and hands it
    // the image as one argument.
    EXPECT_EQ(run.commandLine, "\"" + (app / "kestrimond.exe") + "\" \"relative game.bin\"");
    EXPECT_EQ(run.currentDirectory, work.path());
}

// Windows' reason for an error, as the program shows it.
std::string Reason(DWORD code) {
    char text[512] = "";
    std::string reason(
        text, FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, text, sizeof text, nullptr));
    return reason.substr(0, reason.find_last_not_of("\r\n") + 1);
}

TEST(Convert, AConverterThatCannotStartIsReported) {
    AppFolder app;
    TempFolder images;
    WriteFile(images / "game.img", "image");
    Session session(app);
    ASSERT_NE(session.window, nullptr);
    ASSERT_TRUE(DeleteFileA((app / "kestrimond.exe").c_str()));
    session.Convert(images / "game.img");
    ExpectErrorBox(session.program, texts::kConverterNotStarted + Reason(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(IsWindowVisible(session.window));
    EXPECT_TRUE(session.program.Running());

    // Replaced by a file that is no program, which Windows' reason calls "%1".
    WriteFile(app / "kestrimond.exe", "not a program");
    std::string reason = Reason(ERROR_BAD_EXE_FORMAT);
    const std::size_t insert = reason.find("%1");
    ASSERT_NE(insert, std::string::npos) << reason;
    Click(session.cmdConvert);
    ExpectErrorBox(session.program,
                   texts::kConverterNotStarted + reason.replace(insert, 2, "kestrimond.exe"));
}

}  // namespace
}  // namespace gui_test
