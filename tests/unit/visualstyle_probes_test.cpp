#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "tests/unit/visualstyle_fake_platform.h"
#include "visualstyle/common_controls.h"
#include "visualstyle/modXPStyle2.h"

namespace {

using modXPStyle2::kFalse;
using modXPStyle2::kTrue;

TEST(WindowsVersion, TextHasTwoDecimalsAndXPIsTheFirstThatPasses) {
    struct Case {
        std::uint32_t getVersion;
        const char* text;
        modXPStyle2::Boolean xpOrLater;
    };
    // GetVersion's high word (the build number) is not part of the version.
    const Case cases[] = {
        {0x08930005, "5.00", kFalse}, {0x0A280105, "5.01", kTrue},  {0x0ECE0205, "5.02", kTrue},
        {0x17700006, "6.00", kTrue},  {0x0000000A, "10.00", kTrue}, {0x0000FF04, "6.55", kTrue},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        platform.version = c.getVersion;
        EXPECT_EQ(modXPStyle2::GetWinVersion(platform), c.text) << std::hex << c.getVersion;
        EXPECT_EQ(modXPStyle2::IsWinXPOrLater(platform), c.xpOrLater) << std::hex << c.getVersion;
    }
}

// Under a locale with a decimal comma, "5,01" would read as 5 and XP would no
// longer count as XP.
TEST(WindowsVersion, TextKeepsAPointUnderADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "German"}) {
        if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
            comma = true;
            break;
        }
    }
    FakePlatform platform;
    const std::string text = modXPStyle2::GetWinVersion(platform);
    const modXPStyle2::Boolean xp = modXPStyle2::IsWinXPOrLater(platform);
    std::setlocale(LC_ALL, previous.c_str());
    if (!comma) {
        GTEST_SKIP() << "no German locale here";
    }
    EXPECT_EQ(text, "5.01");
    EXPECT_EQ(xp, kTrue);
}

TEST(HasThemeLibrary, AsksForUxtheme) {
    FakePlatform platform;
    EXPECT_EQ(modXPStyle2::HasThemeLibrary(platform), kTrue);
    platform.themeLibrary = false;
    EXPECT_EQ(modXPStyle2::HasThemeLibrary(platform), kFalse);
    EXPECT_EQ(platform.librariesAsked, (std::vector<std::string>{"uxtheme.dll", "uxtheme.dll"}));
}

TEST(AddTrailingSeparator, AddsTheSeparatorOnceAndTrimsBlanksOnlyWhenAdding) {
    FakePlatform platform;
    const auto add = [&](const std::string& path) {
        return modXPStyle2::AddTrailingSeparator(platform, path);
    };
    EXPECT_EQ(add("C:\\Tools"), "C:\\Tools\\");
    EXPECT_EQ(add("C:\\"), "C:\\");
    EXPECT_EQ(add("C:\\Tools "), "C:\\Tools\\");
    EXPECT_EQ(add(" C:\\Tools\\ "), " C:\\Tools\\ ");
    EXPECT_EQ(add(""), "\\");
    EXPECT_EQ(add("   "), "\\");
    // Only blanks are trimmed, not tabs.
    EXPECT_EQ(add("C:\\Tools\t"), "C:\\Tools\t\\");
    // A network path takes a slash, and is asked about with its blanks.
    EXPECT_EQ(add("\\\\server\\share\\dir"), "\\\\server\\share\\dir/");
    EXPECT_EQ(add("\\\\server\\share\\dir/ "), "\\\\server\\share\\dir/ ");
    EXPECT_EQ(platform.networkPathsAsked.back(), "\\\\server\\share\\dir/ ");
}

// Windows XP makes no control of the manifest's version unless the program
// loads it first; Wine and later Windows load it at the first control, so only
// this test sees the rule. Windows 2000 cannot tell, and loads nothing.
TEST(CommonControls, LoadedByNameOnlyWhereTheActivationContextRedirectsThem) {
    struct Recorder : common_controls::Loader {
        std::optional<bool> answer;
        std::wstring asked;
        std::string loaded;
        std::optional<bool> Redirects(const wchar_t* dll) override { return asked = dll, answer; }
        void LoadAndInitialise(const char* dll) override { loaded = dll; }
    };
    for (const std::optional<bool> answer :
         {std::optional(true), std::optional(false), std::optional<bool>()}) {
        Recorder loader;
        loader.answer = answer;
        common_controls::Initialise(loader);
        EXPECT_EQ(loader.asked, L"comctl32.dll");
        EXPECT_EQ(loader.loaded, answer.value_or(false) ? "comctl32.dll" : "");
    }
}

}  // namespace
