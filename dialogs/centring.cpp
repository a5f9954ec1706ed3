#include "dialogs/centring.h"

#include <cmath>

namespace Tavro_CommonDialog {
namespace {

// Half an extent, exact in double precision for any 32-bit coordinates.
double Half(std::int32_t from, std::int32_t to) {
    return (static_cast<double>(to) - static_cast<double>(from)) / 2;
}

}  // namespace

std::int32_t RoundHalfEven(double value) {
    // Worked out directly rather than through the floating-point rounding
    // mode, which a DLL loaded into the process could have changed.
    const double below = std::floor(value);
    const double fraction = value - below;
    double whole = below + 1;
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) == 0)) {
        whole = below;
    }
    return static_cast<std::int32_t>(whole);
}

Point CentreOver(const Rect& owner, const Rect& dialog) {
    return Point{
        RoundHalfEven(Half(owner.left, owner.right) + owner.left - Half(dialog.left, dialog.right)),
        RoundHalfEven(Half(owner.top, owner.bottom) + owner.top - Half(dialog.top, dialog.bottom))};
}

Point CentreOnScreen(double screenWidth, double screenHeight, const Rect& dialog) {
    return Point{RoundHalfEven(screenWidth / 2 - Half(dialog.left, dialog.right)),
                 RoundHalfEven(screenHeight / 2 - Half(dialog.top, dialog.bottom))};
}

}  // namespace Tavro_CommonDialog
