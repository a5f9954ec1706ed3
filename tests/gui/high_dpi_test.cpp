// The main window at 144 dots per inch: the program declares itself DPI-aware,
// so its twips layout scales by one and a half instead of being stretched.
// Run only in a Wine prefix set to 144 dpi.
#include <gtest/gtest.h>

#include "tests/gui/harness.h"
#include "ui/control_ids.h"

namespace gui_test {
namespace {

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
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.id);
        const RECT r = RectInParent(Control(window, expected.id));
        EXPECT_EQ(r.left, expected.rect.left);
        EXPECT_EQ(r.top, expected.rect.top);
        EXPECT_EQ(r.bottom, expected.rect.bottom);
        if (expected.rect.right >= 0) {
            EXPECT_EQ(r.right, expected.rect.right);
        }
    }
}

}  // namespace
}  // namespace gui_test
