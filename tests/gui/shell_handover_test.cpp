// Images handed over by the shell to the real program: a path on its command
// line ("Open with", "Send To"), files dropped on its window, and names that
// the ANSI code page cannot spell.
#include <gtest/gtest.h>

#include "tests/gui/harness.h"
#include "tests/gui/session.h"

namespace gui_test {
namespace {

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// The converter's command line for `image`, from an application folder
// without blanks.
std::string ConverterLine(const AppFolder& app, const std::string& image) {
    return app / "kestrimond.exe" + " \"" + image + "\"";
}

TEST(CommandLine, TheFirstArgumentFillsTheTextBoxAndStartsNothing) {
    TempFolder images("kestrimond-images");  // no blank: one path goes unquoted
    const std::string game = images / "my game.iso";
    const std::string other = images / "other.iso";
    WriteFile(game, "image");
    WriteFile(other, "image");
    struct Case {
        std::wstring arguments;
        std::string text;
    };
    const Case cases[] = {
        {Quoted(Wide(game)), game},
        {Wide(other) + L" " + Quoted(Wide(game)), other},
        // Names no file: in the box all the same, and Convert says so.
        {Quoted(Wide(images / "missing.iso")) + L"\t" + Wide(game), images / "missing.iso"},
    };
    AppFolder app({true, true}, "kestrimond");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Session session(app, "", c.arguments);
        ASSERT_NE(session.window, nullptr);
        EXPECT_EQ(TextOf(session.txtISO), c.text);
        EXPECT_TRUE(
            WaitUntil([&] { return FocusOf(session.program.threadId()) == session.txtISO; }));
        Sleep(500);
        EXPECT_EQ(session.program.MessageBox(), nullptr);
        EXPECT_FALSE(FileExists(session.log)) << "a conversion started by itself";

        session.Release();
        Click(session.cmdConvert);
        if (FileExists(c.text)) {
            ASSERT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 1; }));
            EXPECT_EQ(RunsIn(session.log)[0].commandLine, ConverterLine(app, c.text));
        } else {
            ExpectErrorBox(session.program, texts::kImageMissing);
        }
    }
}

TEST(Drop, TheFirstDroppedFileFillsTheTextBox) {
    AppFolder app;
    TempFolder images;
    const std::string first = images / "first.iso";
    const std::string second = images / "second game.bin";
    const std::string folder = images / "folder.iso";
    WriteFile(first, "image");
    WriteFile(second, "image");
    CreateDirectoryA(folder.c_str(), nullptr);
    Session session(app);
    ASSERT_NE(session.window, nullptr);

    struct Case {
        const char* what;
        std::vector<std::string> dropped;
        std::string text;  // in the box afterwards
    };
    const Case cases[] = {
        {"a folder alone changes nothing", {folder}, ""},
        {"one file", {second}, second},
        {"a folder, then a file", {folder, first}, first},
        {"several files: the first", {second, first}, second},
        {"a folder alone keeps the text", {folder}, second},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::wstring> paths;
        for (const std::string& path : c.dropped) {
            paths.push_back(Wide(path));
        }
        // "finished": the program let go of the drop, so its handler is done.
        EXPECT_EQ(session.Drop(paths), "finished");
        EXPECT_EQ(TextOf(session.txtISO), c.text);
        EXPECT_EQ(session.program.MessageBox(), nullptr);
        EXPECT_TRUE(IsWindowVisible(session.window));
    }
    EXPECT_FALSE(FileExists(session.log)) << "a drop started a conversion";
}

// Wine, like Windows with short names on, gives such a file an 8.3 name. A
// best-fit conversion would turn the full-width name into that of the decoy.
TEST(ShellNames, ANameTheCodePageCannotSpellReachesTheConverterByItsShortName) {
    AppFolder app({true, true}, "kestrimond");
    TempFolder images;
    const std::wstring japanese = Wide(images.path()) + L"\\\u30B2\u30FC\u30E0.bin";
    const std::wstring fullWidth = Wide(images.path()) + L"\\\uFF27\uFF21\uFF2D\uFF25.iso";
    WriteFile(japanese, "image");
    WriteFile(fullWidth, "image");
    WriteFile(images / "GAME.iso", "decoy");

    const auto expectNames = [](const std::string& text, const std::wstring& file) {
        EXPECT_EQ(text.find('?'), std::string::npos) << text;
        EXPECT_EQ(LongNameOf(text), file) << text;
        EXPECT_TRUE(FileExists(text)) << text;
    };
    {
        Session session(app, "", Quoted(japanese));
        ASSERT_NE(session.window, nullptr);
        const std::string text = TextOf(session.txtISO);
        expectNames(text, japanese);
        EXPECT_EQ(session.program.MessageBox(), nullptr);
        session.Release();
        Click(session.cmdConvert);
        ASSERT_TRUE(WaitUntil([&] { return RunsIn(session.log).size() == 1; }));
        EXPECT_EQ(RunsIn(session.log)[0].commandLine, ConverterLine(app, text));
    }
    Session session(app);
    ASSERT_NE(session.window, nullptr);
    for (const std::wstring& file : {japanese, fullWidth}) {
        EXPECT_EQ(session.Drop({file}), "finished");
        expectNames(TextOf(session.txtISO), file);
    }
    EXPECT_EQ(session.program.MessageBox(), nullptr);
}

}  // namespace
}  // namespace gui_test
