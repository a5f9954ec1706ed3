#include "ui/layout.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <string>
#include <vector>

#include "ui/main_window.h"
#endif

namespace {

using layout::PixelRect;
using layout::ToPixels;
using layout::TwipsRect;

void ExpectRect(const PixelRect& r, int left, int top, int width, int height) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
}

TEST(Layout, At96DpiEveryControlHasItsDesignPixels) {
    ExpectRect(ToPixels(layout::kClientArea, 96), 0, 0, 518, 75);
    ExpectRect(ToPixels(layout::kLblSite, 96), 136, 0, 107, 16);
    ExpectRect(ToPixels(layout::kLblReadme, 96), 432, 0, 84, 16);
    ExpectRect(ToPixels(layout::kTxtISO, 96), 144, 32, 241, 25);
    ExpectRect(ToPixels(layout::kCmdBrowse, 96), 384, 32, 25, 25);
    ExpectRect(ToPixels(layout::kCmdConvert, 96), 424, 32, 89, 25);
}

TEST(Layout, At144DpiTheDesignScalesByOneAndAHalf) {
    ExpectRect(ToPixels(layout::kTxtISO, 144), 216, 48, 362, 38);
    ExpectRect(ToPixels(layout::kCmdBrowse, 144), 576, 48, 38, 38);
    // The text box still runs into the browse button by its overlap.
    const PixelRect text = ToPixels(layout::kTxtISO, 144);
    const PixelRect browse = ToPixels(layout::kCmdBrowse, 144);
    EXPECT_EQ(text.left + text.width - browse.left, 2);
}

TEST(Layout, TwipsRoundToTheNearestPixel) {
    EXPECT_EQ(layout::TwipsToPixels(7, 96), 0);
    EXPECT_EQ(layout::TwipsToPixels(8, 96), 1);
    EXPECT_EQ(layout::TwipsToPixels(-8, 96), -1);
    EXPECT_EQ(layout::TwipsToPixels(1125, 144), 113);  // 112.5 rounds up
}

TEST(Layout, FontHeightIsTheCharacterHeightInPixels) {
    EXPECT_EQ(layout::FontHeight(825, 96), -11);
    EXPECT_EQ(layout::FontHeight(825, 120), -14);
    EXPECT_EQ(layout::FontHeight(825, 144), -17);  // 16.5 rounds up
}

#ifdef _WIN32
// Windows XP binds the common controls only for a program that loads them
// itself before its first control; Wine and later Windows load them at that
// control, so only this test can see the order. What Windows answers is faked.
class RecordingLoader : public common_controls::Loader {
public:
    RecordingLoader(HWND window, std::optional<bool> redirects)
        : window_(window), redirects_(redirects) {}
    std::optional<bool> Redirects(const wchar_t* dll) override {
        calls.push_back(std::wstring(L"redirects ") + dll);
        return redirects_;
    }
    void LoadAndInitialise(const char* dll) override {
        calls.push_back(L"load " + std::wstring(dll, dll + std::char_traits<char>::length(dll)) +
                        (GetWindow(window_, GW_CHILD) ? L" after a control" : L""));
    }
    std::vector<std::wstring> calls;

private:
    HWND window_;
    std::optional<bool> redirects_;
};

TEST(CommonControls, BoundByNameBeforeTheFirstControlOnlyWhereTheManifestRedirectsThem) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    main_window::RegisterWindowClass(instance, "CommonControlsTest", DefWindowProcA);
    const main_window::Fonts fonts = main_window::CreateFonts(96);
    const std::vector<std::wstring> redirected = {L"redirects comctl32.dll", L"load comctl32.dll"};
    const std::vector<std::wstring> left = {L"redirects comctl32.dll"};
    // Redirected; not redirected (no manifest); Windows 2000, which cannot tell.
    for (const auto& [answer, expected] :
         {std::pair{std::optional(true), redirected}, std::pair{std::optional(false), left},
          std::pair{std::optional<bool>(), left}}) {
        HWND window = main_window::CreateFrame(instance, "CommonControlsTest", "", 96, nullptr);
        RecordingLoader loader(window, answer);
        const main_window::Controls controls =
            main_window::CreateControls(window, instance, 96, fonts, loader);
        EXPECT_NE(controls.txtISO, nullptr);
        EXPECT_EQ(loader.calls, expected);
        DestroyWindow(window);
    }
}
#endif

}  // namespace
