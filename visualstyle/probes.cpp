#include <string_view>

#include "visualstyle/modXPStyle2.h"

namespace modXPStyle2 {

namespace {

constexpr double kWindowsXP = 5.01;

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The decimal number at the start of a text (digits, at most one point);
// 0 when the text does not start with one. Read by hand rather than with the
// C library, whose decimal point follows the locale.
double LeadingNumber(std::string_view text) {
    double digits = 0;
    double scale = 1;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            scale = point ? scale * 10 : scale;
        } else {
            break;
        }
    }
    // One correctly rounded division, so that "5.01" reads as exactly 5.01.
    return digits / scale;
}

}  // namespace

std::string GetWinVersion(Platform& platform) {
    const std::uint32_t version = platform.WindowsVersion() & 0xFFFFu;
    // The major version plus the minor divided by 100, with exactly two
    // decimals: in hundredths that is a whole number, so no rounding is
    // needed. Always a point, whatever the locale: a decimal comma would read
    // back as 5 on XP.
    const std::uint32_t hundredths = (version % 256) * 100 + version / 256;
    const std::uint32_t fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ".0" : ".") +
           std::to_string(fraction);
}

Boolean IsWinXPOrLater(Platform& platform) {
    return LeadingNumber(TrimBlanks(GetWinVersion(platform))) >= kWindowsXP ? kTrue : kFalse;
}

Boolean HasThemeLibrary(Platform& platform) {
    return platform.CanLoadLibrary("uxtheme.dll") ? kTrue : kFalse;
}

std::string AddTrailingSeparator(Platform& platform, const std::string& Path) {
    const char separator = platform.PathIsNetworkPath(Path) ? '/' : '\\';
    const std::string_view trimmed = TrimBlanks(Path);
    // No byte of a two-byte character is a "/", but one may be a "\".
    const bool ends = separator == '/' ? !trimmed.empty() && trimmed.back() == '/'
                                       : common::EndsInBackslash(trimmed, platform.AnsiLeadBytes());
    if (ends) {
        return Path;
    }
    return std::string(trimmed) + separator;
}

}  // namespace modXPStyle2
