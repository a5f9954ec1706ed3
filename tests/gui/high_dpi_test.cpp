// The main window at 144 dots per inch: its twips layout scales by one and a
// half instead of being stretched, whether the program starts there (run in a
// Wine prefix set to 144 dpi) or its window's DPI changes while it runs.
#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <vector>

#include "tests/gui/harness.h"
#include "tests/gui/session.h"
#include "ui/control_ids.h"

namespace gui_test {
namespace {

// Every control's place and size at 144 dpi; the links as wide as their
// captions in the window font there (8.25 pt: 17 pixels high).
void ExpectControlsAt144(HWND window) {
    struct Expected {
        int id;
        RECT rect;  // right < 0: sized to the caption
    };
    const Expected controls[] = {
        {control_ids::kTxtISO, {216, 48, 578, 86}},
        {control_ids::kCmdBrowse, {576, 48, 614, 86}},
        {control_ids::kCmdConvert, {636, 48, 770, 86}},
        {control_ids::kLblSite, {204, 0, -1, 24}},
        {control_ids::kLblReadme, {648, 0, -1, 24}},
        // The logo keeps its size in inches: 134 x 74 pixels at 96 dpi.
        {control_ids::kImgLogo, {0, 0, 201, 111}},
        {control_ids::kLblISO, {216, 48, 578, 86}},
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.id);
        const HWND control = Control(window, expected.id);
        const RECT r = RectInParent(control);
        EXPECT_EQ(r.left, expected.rect.left);
        EXPECT_EQ(r.top, expected.rect.top);
        EXPECT_EQ(r.bottom, expected.rect.bottom);
        EXPECT_EQ(r.right - r.left, expected.rect.right >= 0 ? expected.rect.right - r.left
                                                             : CaptionWidth(TextOf(control), -17));
    }
}

TEST(HighDpi, TheLayoutScalesByOneAndAHalf) {
    // This test process must see the real DPI too (newer than the headers' target).
    using SetDpiAware = BOOL(WINAPI*)();
    reinterpret_cast<SetDpiAware>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware")))();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(dpi, 144) << "the prefix is not set to 144 dpi";

    AppFolder app;
    Program program(app.program());
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 777);   // 7770 twips
    EXPECT_EQ(client.bottom, 113);  // 1125 twips: 112.5 pixels, rounded
    ExpectControlsAt144(window);
}

// Each control's identifier and rectangle in the window.
std::vector<std::array<LONG, 5>> Rects(HWND window) {
    std::vector<std::array<LONG, 5>> rects;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = RectInParent(child);
        rects.push_back({GetDlgCtrlID(child), r.left, r.top, r.right, r.bottom});
    }
    return rects;
}

// Wine sends no WM_DPICHANGED of its own: the probe sends it inside the
// program, as Windows does when the window moves to a monitor of another DPI.
TEST(PerMonitorDpi, TheWindowLaysItselfOutAgainForEachNewDpi) {
    AppFolder app;
    TempFolder images;
    const std::string image = images / "game.iso";
    WriteFile(image, "image");
    Session session(app);
    ASSERT_NE(session.window, nullptr);
    SetText(session.txtISO, image);
    SendMessageA(session.txtISO, EM_SETSEL, 3, 9);
    // The fonts and logo of a start at 96 dpi, and of one at 144 (WindowResources).
    std::map<std::string, std::string> looks96, looks144;
    for (const auto& [key, value] : session.Probe()) {
        if (key.rfind("font", 0) == 0 || key == "logo") {
            looks96[key] = value;
            looks144[key] =
                key == "logo" ? "201x111" : std::regex_replace(value, std::regex("-11"), "-17");
        }
    }
    const auto rects96 = Rects(session.window);
    RECT frame96;
    GetWindowRect(session.window, &frame96);
    // Each change keeps the text, its selection and the focus.
    const auto change = [&](int dpi, const RECT& place,
                            const std::map<std::string, std::string>& looks) {
        auto answer = session.ChangeDpi(dpi, place);
        RECT frame;
        GetWindowRect(session.window, &frame);
        EXPECT_TRUE(EqualRect(&frame, &place));
        for (const auto& [key, value] : looks) {
            EXPECT_EQ(answer[key], value) << key;
        }
        EXPECT_EQ(answer["freed"], "6 of 6");
        EXPECT_EQ(TextOf(session.txtISO), image);
        EXPECT_EQ(SendMessageA(session.txtISO, EM_GETSEL, 0, 0), MAKELRESULT(3, 9));
        EXPECT_EQ(FocusOf(session.program.threadId()), session.txtISO);
        return answer["scaled"];
    };
    // Windows' own guess would scale the title bar linearly.
    RECT frame144{0, 0, 777, 113};
    reinterpret_cast<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")))(
        &frame144, GetWindowLongA(session.window, GWL_STYLE), FALSE,
        GetWindowLongA(session.window, GWL_EXSTYLE), 144);
    EXPECT_EQ(change(144, {40, 30, 840, 200}, looks144),
              "1 " + std::to_string(frame144.right - frame144.left) + "x" +
                  std::to_string(frame144.bottom - frame144.top));
    ExpectControlsAt144(session.window);
    change(96, frame96, looks96);
    EXPECT_EQ(Rects(session.window), rects96);

    // A change while the window is hidden: it comes back laid out for the DPI
    // it finds there, which Wine keeps at the screen's.
    session.Convert(image);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(session.log); }));
    ASSERT_FALSE(IsWindowVisible(session.window));
    session.ChangeDpi(144, frame96);
    session.Release();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(session.window) != FALSE; }));
    EXPECT_EQ(Rects(session.window), rects96);
    Click(session.cmdConvert);
    EXPECT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 2; }));
}

}  // namespace
}  // namespace gui_test
