// The manifest the program writes beside itself at start, under Wine.
//
// Each case starts the real program from a fresh application folder in a Wine
// prefix of its own, set up for the case through Wine's own settings (Windows
// version, themes, DLL overrides, locale), and looks at the folder from the
// Linux side once the program has got as far as its window or its message box.
//
// Environment: WINEPREFIX, a ready prefix that each case copies; KESTRIMOND_BIN,
// a Windows build's folder holding "Kestrimond GUI.exe" and the stand-in
// kestrimond.exe; KESTRIMOND_WINE, the Wine loader for that build;
// KESTRIMOND_ARCHITECTURE, the processor architecture the build's manifest
// names; DISPLAY, unless the prefix's lane has a display of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/texts.h"
#include "tests/visualstyle/wine_host.h"
#include "visualstyle/manifest.h"

namespace host_test {
namespace {

constexpr char kProgram[] = "Kestrimond GUI.exe";
constexpr char kConverter[] = "kestrimond.exe";
constexpr char kManifest[] = "Kestrimond GUI.exe.manifest";
constexpr char kAppFolder[] = R"(C:\app\)";

constexpr char kWineKey[] = R"(HKCU\Software\Wine)";
constexpr char kThemeKey[] = R"(HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager)";
constexpr char kInternationalKey[] = R"(HKCU\Control Panel\International)";

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? "" : value;
}

class ManifestAtStart : public testing::Test {
protected:
    void SetUp() override {
        const fs::path shared = Variable("WINEPREFIX");
        // The display of the prefix's lane, where it has one (scripts/wine-prefix).
        if (std::ifstream lane(shared / ".display"); lane) {
            std::string number;
            lane >> number;
            setenv("DISPLAY", (":" + number).c_str(), 1);
        }
        ASSERT_FALSE(Variable("DISPLAY").empty()) << "no X display: DISPLAY is not set";
        ASSERT_TRUE(!shared.empty() && fs::exists(shared / ".kestrimond-ready"))
            << "no ready Wine prefix at WINEPREFIX=\"" << shared.string()
            << "\": the `wine` test fixture makes it with scripts/wine-prefix";
        bin_ = Variable("KESTRIMOND_BIN");
        for (const char* name : {kProgram, kConverter}) {
            ASSERT_TRUE(!bin_.empty() && fs::is_regular_file(bin_ / name))
                << "no " << name << " in KESTRIMOND_BIN=\"" << bin_.string()
                << "\": build the Windows builds first (scripts/build), or point "
                   "KESTRIMOND_WIN64_BIN or KESTRIMOND_WIN32_BIN at their bin folders";
        }
        wine_.emplace(shared, "kestrimond-manifest-");
        app_ = wine_->DriveC() / "app";
        manifest_ = app_ / kManifest;
        ASSERT_TRUE(fs::create_directory(app_));
        expected_ = ReadFile(fs::path(KESTRIMOND_TEST_DATA) / "visualstyle" / "example.manifest");
        modXPStyle2::ReplaceAll(expected_, "\"x86\"",
                                "\"" + Variable("KESTRIMOND_ARCHITECTURE") + "\"");
    }

    testing::AssertionResult RegAdd(const std::string& key, const std::string& name,
                                    const std::string& value) {
        return wine_->Run({"reg", "add", key, "/v", name, "/d", value, "/f"});
    }

    // The value's data as `reg query` shows it; nullopt when there is none.
    std::optional<std::string> RegQuery(const std::string& key, const std::string& name) {
        const auto query = wine_->Capture({"reg", "query", key, "/v", name});
        if (!query.ended) {
            throw std::runtime_error(query.description);
        }
        const std::regex line(R"(^\s*)" + name + R"(\s+REG_\w+\s+(.*?)\s*$)");
        std::istringstream output(query.output);
        for (std::string text; std::getline(output, text);) {
            std::smatch match;
            if (std::regex_search(text, match, line)) {
                return match[1];
            }
        }
        return std::nullopt;
    }

    // The program dated a day back, so that a start that touches it shows.
    void Install(bool converter = true, const std::string& program = kProgram) {
        fs::copy_file(bin_ / kProgram, app_ / program);
        installed_ = fs::last_write_time(app_ / program) - std::chrono::hours(24);
        fs::last_write_time(app_ / program, installed_);
        if (converter) {
            fs::copy_file(bin_ / kConverter, app_ / kConverter);
        }
    }

    void Start() { wine_->Start(std::string(kAppFolder) + kProgram); }

    static testing::AssertionResult WaitForWindow(const std::string& title, const char* what) {
        if (!WaitUntil([&] { return WindowShown(title); }, kLimit)) {
            testing::AssertionResult failure = testing::AssertionFailure();
            failure << "gave up waiting for " << what << "; on the display:";
            for (const XWindow& window : XWindows()) {
                failure << " \"" << window.title << "\"";
            }
            return failure;
        }
        return testing::AssertionSuccess();
    }

    testing::AssertionResult StartToMainWindow() {
        Start();
        const auto shown = WaitForWindow(texts::kMainTitle, "the main window");
        if (!shown) {
            return shown;
        }
        if (!wine_->ProgramRunning()) {
            return testing::AssertionFailure() << "the program has ended";
        }
        return testing::AssertionSuccess();
    }

    // A manifest that differs from what was there touches the program file,
    // which makes Windows look for a manifest at the next start.
    void ExpectManifestWritten() {
        EXPECT_EQ(ReadFile(manifest_), expected_);
        EXPECT_EQ(DosAttributes(manifest_), kHidden | kSystem);
        EXPECT_GT(fs::last_write_time(app_ / kProgram), installed_);
        EXPECT_GE(fs::last_write_time(app_ / kProgram), fs::last_write_time(manifest_));
    }

    void ExpectNothingWritten() {
        std::vector<std::string> installed{kProgram, kConverter};
        std::sort(installed.begin(), installed.end());
        EXPECT_EQ(FolderEntries(app_), installed);
        EXPECT_EQ(fs::last_write_time(app_ / kProgram), installed_);
    }

    std::optional<CaseWine> wine_;  // stops Wine and removes the case's folder at the end
    fs::path bin_;
    fs::path app_;
    fs::path manifest_;
    std::string expected_;
    fs::file_time_type installed_;
};

// What the Windows the program meets makes it do.
class ManifestBySystem : public ManifestAtStart {};

TEST_F(ManifestBySystem, Windows2000WritesNothing) {
    ASSERT_TRUE(RegAdd(kWineKey, "Version", "win2k"));
    Install();
    ASSERT_TRUE(StartToMainWindow());
    ExpectNothingWritten();
}

TEST_F(ManifestBySystem, WindowsXpWritesTheManifest) {
    ASSERT_TRUE(RegAdd(kWineKey, "Version", "winxp"));
    Install();
    ASSERT_TRUE(StartToMainWindow());
    ExpectManifestWritten();
}

TEST_F(ManifestBySystem, Windows10WritesTheManifest) {
    ASSERT_TRUE(RegAdd(kWineKey, "Version", "win10"));
    Install();
    ASSERT_TRUE(StartToMainWindow());
    ExpectManifestWritten();

    // The next start writes the same manifest again and leaves the time alone.
    const fs::file_time_type touched = fs::last_write_time(app_ / kProgram);
    wine_->Stop();
    ASSERT_TRUE(WaitUntil([] { return !AnyWindowTitled(texts::kMainTitle); }, kLimit));
    ASSERT_TRUE(StartToMainWindow());
    EXPECT_EQ(ReadFile(manifest_), expected_);
    EXPECT_EQ(fs::last_write_time(app_ / kProgram), touched);
}

TEST_F(ManifestBySystem, ThemesOffWritesNothing) {
    ASSERT_TRUE(RegAdd(kThemeKey, "ThemeActive", "0"));
    Install();
    ASSERT_TRUE(StartToMainWindow());
    ExpectNothingWritten();
}

TEST_F(ManifestBySystem, NoThemeLibraryWritesNothing) {
    auto& environment = wine_->environment();
    environment.Set("WINEDLLOVERRIDES", environment.Get("WINEDLLOVERRIDES") + ";uxtheme=d");
    Install();
    ASSERT_TRUE(StartToMainWindow());
    ExpectNothingWritten();
}

TEST_F(ManifestBySystem, GermanLocaleStillWritesTheManifest) {
    // XP, where a version text of "5,01" would read as 5 and fail.
    wine_->environment().Set("LC_ALL", "de_DE.UTF-8");
    ASSERT_TRUE(RegAdd(kWineKey, "Version", "winxp"));
    ASSERT_EQ(RegQuery(kInternationalKey, "sDecimal"), std::optional<std::string>(","))
        << "Wine does not see a German locale: is de_DE.UTF-8 generated?";
    Install();
    ASSERT_TRUE(StartToMainWindow());
    ExpectManifestWritten();
}

// What the application folder already holds, or lacks.
class ManifestByFolder : public ManifestAtStart {};

TEST_F(ManifestByFolder, ExistingHiddenReadOnlyManifestIsReplaced) {
    Install();
    WriteFile(manifest_, "<old/>");
    for (const char* flag : {"+r", "+h", "+s"}) {  // attrib takes one at a time
        ASSERT_TRUE(wine_->Run({"cmd", "/c", "attrib", flag, std::string(kAppFolder) + kManifest}));
    }
    ASSERT_EQ(DosAttributes(manifest_), kReadOnly | kHidden | kSystem);
    ASSERT_TRUE(StartToMainWindow());
    ExpectManifestWritten();
}

TEST_F(ManifestByFolder, FolderInTheManifestsPlaceIsPassedOver) {
    Install();
    ASSERT_TRUE(fs::create_directory(manifest_));
    ASSERT_TRUE(StartToMainWindow());
    ASSERT_TRUE(fs::is_directory(manifest_));
    EXPECT_EQ(FolderEntries(manifest_), std::vector<std::string>{});
    EXPECT_FALSE(AnyWindowTitled(texts::kBoxTitle));
}

// Windows reads the manifest, which says it is UTF-8, before the program
// runs, and starts no program whose manifest is malformed.
TEST_F(ManifestByFolder, ACopyUnderAnotherNameIsNamedInUtf8) {
    Install(true, "Kestrimond G\u00DCI.exe");
    wine_->Start(std::string(kAppFolder) + "Kestrimond G\u00DCI.exe");
    ASSERT_TRUE(WaitForWindow(texts::kMainTitle, "the main window"));
    modXPStyle2::ReplaceAll(expected_, "Kestrimond GUI.exe", "Kestrimond G\u00DCI.exe");
    EXPECT_EQ(ReadFile(app_ / "Kestrimond G\u00DCI.exe.manifest"), expected_);
}

TEST_F(ManifestByFolder, MissingConverterStillWritesTheManifestFirst) {
    Install(/*converter=*/false);
    Start();
    ASSERT_TRUE(WaitForWindow(texts::kBoxTitle, "the message box"));
    ExpectManifestWritten();
    EXPECT_FALSE(WindowShown(texts::kMainTitle));
}

}  // namespace
}  // namespace host_test
