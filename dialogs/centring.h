#pragma once

#include <cstdint>

// Where the centring hook puts the open-file dialog. Halves are worked out
// exactly and the result rounds a half to the even neighbour; nothing is
// pulled back onto the screen.
namespace Tavro_CommonDialog {

// A window rectangle in screen pixels, as GetWindowRect gives it.
struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct Point {
    std::int32_t x;
    std::int32_t y;
};

// The nearest whole number; one exactly halfway goes to the even neighbour.
std::int32_t RoundHalfEven(double value);

// The top-left corner that puts the dialog's centre on the owner's.
Point CentreOver(const Rect& owner, const Rect& dialog);

// The top-left corner that puts the dialog's centre on the screen's.
Point CentreOnScreen(double screenWidth, double screenHeight, const Rect& dialog);

}  // namespace Tavro_CommonDialog
