#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/unit/visualstyle_fake_platform.h"
#include "visualstyle/manifest.h"
#include "visualstyle/modXPStyle2.h"

namespace {

using modXPStyle2::Boolean;
using modXPStyle2::kFalse;
using modXPStyle2::kTrue;
using Log = std::vector<std::string>;

constexpr char kManifest[] = "C:\\Tools\\Kestrimond GUI.exe.manifest";
constexpr char kFind[] = "FindFile C:\\Tools\\Kestrimond GUI.exe.manifest 39";
constexpr unsigned kHiddenSystem = 6;

std::string Golden(const char* name) {
    std::ifstream in(std::string(KESTRIMOND_TEST_DATA "/visualstyle/") + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Flags {
    Boolean restart;
    Boolean remove;
    Boolean force;
};

// Calls the bootstrap as a caller would, with flags in variables of its own.
Boolean Apply(FakePlatform& platform, Flags& flags) {
    return modXPStyle2::ApplyXPStyle(platform, flags.restart, flags.remove, flags.force);
}

Boolean ApplyAsTheProgramDoes(FakePlatform& platform) {
    Flags flags{kFalse, kFalse, kTrue};
    return Apply(platform, flags);
}

void AddOldManifest(FakePlatform& platform, unsigned attributes) {
    platform.files[kManifest] = FakePlatform::File{"old", attributes};
}

TEST(ManifestText, TemplateAndExampleMatchTheReferenceFiles) {
    const std::string reference = Golden("template.manifest");
    ASSERT_EQ(reference.size(), 655u);
    EXPECT_EQ(modXPStyle2::ManifestTemplate("x86"), reference);

    FakePlatform platform;
    EXPECT_EQ(ApplyAsTheProgramDoes(platform), kFalse);
    const std::string example = Golden("example.manifest");
    ASSERT_EQ(example.size(), 651u);
    EXPECT_EQ(platform.files[kManifest].contents, example);
    EXPECT_EQ(platform.files[kManifest].attributes, kHiddenSystem);
}

TEST(ManifestText, ValuesAreEscapedAndReplacedInOrder) {
    FakePlatform platform;
    platform.exeName = "Tom & Jerry's";
    platform.exeVersion = {12, 3, 4567};
    platform.company = "A&B <\"Tools\">";
    // The description is put in before the company name, which then replaces
    // the word here too; EXENAME was replaced before the description came.
    platform.description = "COMPANYNAME's EXENAME";
    ApplyAsTheProgramDoes(platform);
    const std::string text = platform.files["C:\\Tools\\Tom & Jerry's.exe.manifest"].contents;
    EXPECT_NE(text.find("\r\n    version=\"12.3.4567.0\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n    name=\"A&amp;B &lt;&quot;Tools&quot;&gt;.Tom &amp; "
                        "Jerry&apos;s.exe\"/>\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n    <description>A&amp;B &lt;&quot;Tools&quot;&gt;&apos;s "
                        "EXENAME</description>\r\n"),
              std::string::npos)
        << text;
}

TEST(ApplyXPStyle, TouchesNothingWhereWindowsCannotShowStyles) {
    FakePlatform win2000;
    win2000.version = 0x0005;
    FakePlatform noLibrary;
    noLibrary.themeLibrary = false;
    FakePlatform themesOff;
    themesOff.themeActive = false;
    for (FakePlatform* platform : {&win2000, &noLibrary, &themesOff}) {
        AddOldManifest(*platform, 0);
        Flags flags{kFalse, kTrue, kTrue};
        EXPECT_EQ(Apply(*platform, flags), kFalse);
        EXPECT_EQ(platform->log, Log{});
        EXPECT_EQ(platform->files[kManifest].contents, "old");
        // Not even ForceRewrite changes.
        EXPECT_EQ(flags.force, kTrue);
        // Both probes run, whatever the first answered.
        EXPECT_EQ(platform->librariesAsked.size(), 1u);
    }
    EXPECT_EQ(win2000.themeActiveCalls, 0);
    EXPECT_EQ(noLibrary.themeActiveCalls, 0);
    EXPECT_EQ(themesOff.themeActiveCalls, 1);
}

TEST(ApplyXPStyle, AsTheProgramCallsItReplacesAnyExistingManifest) {
    for (const unsigned attributes : {0u, 1u, 2u, 4u, 7u, 39u}) {
        FakePlatform platform;
        AddOldManifest(platform, attributes);
        EXPECT_EQ(ApplyAsTheProgramDoes(platform), kFalse);
        EXPECT_EQ(platform.files[kManifest].contents, Golden("example.manifest"));
        EXPECT_EQ(platform.files[kManifest].attributes, kHiddenSystem);
        // Only a read-only one must lose its attributes before it can be replaced.
        Log expected{kFind, "WriteNewFile", "SetAttributes 6", "MoveIntoPlace", "TouchProgramFile"};
        if (attributes & 1) {
            expected.insert(expected.begin() + 3, "SetAttributes 0");
        }
        EXPECT_EQ(platform.log, expected) << attributes;
    }
}

// Windows remembers whether a program has a manifest until the program file
// changes: a start that changes the manifest touches the file, no other does.
TEST(ApplyXPStyle, TouchesTheProgramFileOnlyWhenItsManifestChanged) {
    const auto touches = [](const FakePlatform& platform) {
        return std::count(platform.log.begin(), platform.log.end(), "TouchProgramFile");
    };
    FakePlatform platform;
    ApplyAsTheProgramDoes(platform);
    EXPECT_EQ(touches(platform), 1) << "a first manifest";
    platform.log.clear();
    ApplyAsTheProgramDoes(platform);
    EXPECT_EQ(touches(platform), 0) << "the same bytes and attributes again";
    // The archive attribute, which a move may set, is no change; read-only is.
    for (const unsigned extra : {32u, 1u}) {
        platform.files[kManifest].attributes = kHiddenSystem | extra;
        platform.log.clear();
        ApplyAsTheProgramDoes(platform);
        EXPECT_EQ(touches(platform), extra == 1u ? 1 : 0) << extra;
    }

    // Not when what was there could not be read (the exact logs of the failed
    // write and move cases show no touch either); a failed touch is silent.
    FakePlatform unreadable;
    AddOldManifest(unreadable, kHiddenSystem);
    unreadable.failing = {"ReadFileState"};
    ApplyAsTheProgramDoes(unreadable);
    EXPECT_EQ(touches(unreadable), 0);
    FakePlatform readOnlyProgram;
    readOnlyProgram.failing = {"TouchProgramFile"};
    EXPECT_EQ(ApplyAsTheProgramDoes(readOnlyProgram), kFalse);
    EXPECT_EQ(readOnlyProgram.files[kManifest].contents, Golden("example.manifest"));
}

TEST(ApplyXPStyle, ExistingManifestWithEveryCombinationOfFlags) {
    struct Case {
        Flags flags;
        Boolean result;
        const char* file;  // "old", "new" or "" (deleted)
        Boolean forceAfter;
    };
    const Case cases[] = {
        {{kFalse, kFalse, kFalse}, kTrue, "old", kFalse},
        {{kFalse, kFalse, kTrue}, kFalse, "new", kTrue},
        {{kFalse, kTrue, kFalse}, kTrue, "", kFalse},
        {{kFalse, kTrue, kTrue}, kTrue, "", kFalse},
        {{kTrue, kFalse, kFalse}, kTrue, "old", kFalse},
        {{kTrue, kFalse, kTrue}, kTrue, "old", kFalse},
        {{kTrue, kTrue, kFalse}, kTrue, "", kFalse},
        {{kTrue, kTrue, kTrue}, kTrue, "", kFalse},
        // Only -1 is true.
        {{1, 1, kTrue}, kFalse, "new", kTrue},
        {{kFalse, kFalse, 1}, kTrue, "old", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "restart " << c.flags.restart << ", remove "
                                          << c.flags.remove << ", force " << c.flags.force);
        FakePlatform platform;
        AddOldManifest(platform, kHiddenSystem);
        Flags flags = c.flags;
        EXPECT_EQ(Apply(platform, flags), c.result);
        EXPECT_EQ(flags.force, c.forceAfter);
        EXPECT_EQ(flags.restart, c.flags.restart);
        EXPECT_EQ(flags.remove, c.flags.remove);
        const std::string file = c.file;
        if (file.empty()) {
            EXPECT_EQ(platform.files.count(kManifest), 0u);
        } else {
            ASSERT_EQ(platform.files.count(kManifest), 1u);
            EXPECT_EQ(platform.files[kManifest].contents,
                      file == "old" ? "old" : Golden("example.manifest"));
            EXPECT_EQ(platform.files[kManifest].attributes, kHiddenSystem);
        }
        // An existing manifest is never followed by a restart.
        EXPECT_EQ(platform.log.back().rfind("StartProgram", 0), std::string::npos);
        EXPECT_NE(platform.log.back(), "EndProgram");
    }
}

TEST(ApplyXPStyle, RemoveExistingAlternatesBetweenWritingAndDeleting) {
    FakePlatform platform;
    for (int call = 0; call < 4; ++call) {
        Flags flags{kFalse, kTrue, kTrue};
        const bool written = call % 2 == 0;
        EXPECT_EQ(Apply(platform, flags), written ? kFalse : kTrue) << call;
        EXPECT_EQ(platform.files.count(kManifest), written ? 1u : 0u) << call;
        EXPECT_EQ(flags.force, kFalse);
    }
}

TEST(ApplyXPStyle, RestartsOnlyAfterAWrite) {
    FakePlatform platform;
    platform.arguments = "-x \"y z\"";
    Flags flags{kTrue, kFalse, kFalse};
    EXPECT_EQ(Apply(platform, flags), kFalse);
    EXPECT_EQ(platform.log,
              (Log{kFind, "WriteNewFile", "SetAttributes 6", "MoveIntoPlace", "TouchProgramFile",
                   "StartProgram \"C:\\Tools\\Kestrimond GUI.exe\" -x \"y z\"", "EndProgram"}));

    // A start that fails still ends the program. Without arguments the blank stays.
    FakePlatform noStart;
    noStart.failing = {"StartProgram"};
    Apply(noStart, flags);
    EXPECT_EQ(noStart.log,
              (Log{kFind, "WriteNewFile", "SetAttributes 6", "MoveIntoPlace", "TouchProgramFile",
                   "StartProgram \"C:\\Tools\\Kestrimond GUI.exe\" ", "EndProgram"}));

    // A failed write would fail again in the new instance, which would restart again.
    FakePlatform readOnlyFolder;
    readOnlyFolder.failing = {"WriteNewFile"};
    EXPECT_EQ(Apply(readOnlyFolder, flags), kFalse);
    EXPECT_EQ(readOnlyFolder.log, (Log{kFind, "WriteNewFile", "RemoveFile"}));
}

TEST(ApplyXPStyle, AFailingStepDoesNotStopTheNext) {
    // The old manifest cannot lose its read-only attribute, so it cannot be
    // replaced: every later step still runs, and the new file goes again.
    FakePlatform stuck;
    AddOldManifest(stuck, 1);
    stuck.failing = {"SetAttributes"};
    EXPECT_EQ(ApplyAsTheProgramDoes(stuck), kFalse);
    EXPECT_EQ(stuck.log, (Log{kFind, "WriteNewFile", "SetAttributes 6", "SetAttributes 0",
                              "MoveIntoPlace", "RemoveFile"}));
    EXPECT_EQ(stuck.files, (std::map<std::string, FakePlatform::File>{{kManifest, {"old", 1}}}));

    // A write cut off halfway (a full disk) leaves the old manifest whole, and
    // no half file beside it; so does one cut off by the end of the program.
    FakePlatform full;
    AddOldManifest(full, kHiddenSystem);
    full.failing = {"WriteNewFile"};
    EXPECT_EQ(ApplyAsTheProgramDoes(full), kFalse);
    EXPECT_EQ(full.files,
              (std::map<std::string, FakePlatform::File>{{kManifest, {"old", kHiddenSystem}}}));
    // A half file left by a start that was cut off is written over.
    FakePlatform leftOver;
    leftOver.files[std::string(kManifest) + ".tmp"] = {"<?xml", kHiddenSystem};
    ApplyAsTheProgramDoes(leftOver);
    EXPECT_EQ(leftOver.files, (std::map<std::string, FakePlatform::File>{
                                  {kManifest, {Golden("example.manifest"), kHiddenSystem}}}));

    // A folder in the manifest's place is not found as a manifest, and is not
    // replaced.
    FakePlatform folder;
    folder.folders = {kManifest};
    EXPECT_EQ(ApplyAsTheProgramDoes(folder), kFalse);
    EXPECT_EQ(folder.files.count(kManifest), 0u);

    // A value that cannot be read leaves its placeholder; the rest goes on.
    FakePlatform noCompany;
    noCompany.failing = {"AppCompanyName"};
    noCompany.description = "Converter front end";
    ApplyAsTheProgramDoes(noCompany);
    const std::string text = noCompany.files[kManifest].contents;
    EXPECT_NE(text.find("name=\"COMPANYNAME.Kestrimond GUI.exe\"/>"), std::string::npos) << text;
    EXPECT_NE(text.find("<description>Converter front end</description>"), std::string::npos);
    EXPECT_EQ(noCompany.files[kManifest].attributes, kHiddenSystem);

    // Without a search, the manifest counts as missing and is written anew.
    FakePlatform noSearch;
    noSearch.failing = {"FindFile"};
    Flags keep{kFalse, kFalse, kFalse};
    EXPECT_EQ(Apply(noSearch, keep), kFalse);
    EXPECT_EQ(noSearch.files.count(kManifest), 1u);
}

TEST(ApplyXPStyle, ManifestLiesBesideTheProgram) {
    FakePlatform root;
    root.folder = "C:\\";
    ApplyAsTheProgramDoes(root);
    EXPECT_EQ(root.files.count("C:\\Kestrimond GUI.exe.manifest"), 1u);

    FakePlatform share;
    share.folder = "\\\\server\\share\\Tools";
    ApplyAsTheProgramDoes(share);
    EXPECT_EQ(share.files.count("\\\\server\\share\\Tools/Kestrimond GUI.exe.manifest"), 1u);
}

}  // namespace
