#include "ui/layout.h"

#include <gtest/gtest.h>

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

}  // namespace
