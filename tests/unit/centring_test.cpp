#include "dialogs/centring.h"

#include <gtest/gtest.h>

namespace {

using namespace Tavro_CommonDialog;

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(200.5), 200);
    EXPECT_EQ(RoundHalfEven(201.5), 202);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(0.49), 0);
    EXPECT_EQ(RoundHalfEven(0.51), 1);
    EXPECT_EQ(RoundHalfEven(-7.6), -8);
    EXPECT_EQ(RoundHalfEven(3.0), 3);
}

TEST(CentreOver, PutsTheDialogsCentreOnTheOwners) {
    // A 601 x 401 owner and a 400 x 300 dialog: both halves are 200.5.
    const Point at = CentreOver(Rect{100, 50, 701, 451}, Rect{0, 0, 400, 300});
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 100);
    // Only the dialog's size counts, not where it is.
    const Point same = CentreOver(Rect{100, 50, 701, 451}, Rect{-37, 612, 363, 912});
    EXPECT_EQ(same.x, 200);
    EXPECT_EQ(same.y, 100);
    // A 601 x 403 owner: 201.5 goes up, to 202.
    EXPECT_EQ(CentreOver(Rect{100, 50, 701, 453}, Rect{0, 0, 400, 300}).y, 102);
}

TEST(CentreOver, LeavesTheDialogOffTheScreenWhereTheRuleSaysSo) {
    // Wider and taller than its owner near the screen's corner.
    const Point wide = CentreOver(Rect{10, 10, 210, 110}, Rect{0, 0, 400, 300});
    EXPECT_EQ(wide.x, -90);
    EXPECT_EQ(wide.y, -90);
    // An owner partly off the screen.
    const Point off = CentreOver(Rect{-300, -101, 300, 300}, Rect{0, 0, 200, 100});
    EXPECT_EQ(off.x, -100);
    EXPECT_EQ(off.y, 50);  // 49.5 goes to the even 50
}

TEST(CentreOnScreen, PutsTheDialogsCentreOnTheScreens) {
    const Point at = CentreOnScreen(1024, 768, Rect{0, 0, 563, 419});
    EXPECT_EQ(at.x, 230);
    EXPECT_EQ(at.y, 174);
    // Larger than the screen: negative, not clamped.
    const Point big = CentreOnScreen(800, 600, Rect{0, 0, 1001, 700});
    EXPECT_EQ(big.x, -100);  // -100.5
    EXPECT_EQ(big.y, -50);
}

}  // namespace
