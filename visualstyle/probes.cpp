#include <charconv>
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
// 0 when the text does not start with one.
double LeadingNumber(std::string_view text) {
    std::size_t end = 0;
    bool point = false;
    while (end < text.size() &&
           ((text[end] >= '0' && text[end] <= '9') || (text[end] == '.' && !point))) {
        point = point || text[end] == '.';
        ++end;
    }
    double number = 0;
    std::from_chars(text.data(), text.data() + end, number);
    return number;
}

}  // namespace

std::string GetWinVersion(Platform& platform) {
    const std::uint32_t version = platform.WindowsVersion() & 0xFFFFu;
    const double number = (version % 256) + (version / 256) / 100.0;
    // to_chars ignores the locale: a decimal comma would read back as 5 on XP.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, number, std::chars_format::fixed, 2);
    return std::string(text, end.ptr);
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
    if (!trimmed.empty() && trimmed.back() == separator) {
        return Path;
    }
    return std::string(trimmed) + separator;
}

}  // namespace modXPStyle2
