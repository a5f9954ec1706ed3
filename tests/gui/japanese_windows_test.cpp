// The program on a Japanese Windows, whose ANSI code page (932) is
// double-byte: these tests run under it, in a Wine prefix of their own.
#include <gtest/gtest.h>

#include "tests/gui/harness.h"
#include "tests/gui/session.h"
#include "ui/control_ids.h"

namespace gui_test {
namespace {

// A folder of `name` in `parent`, laid out by wide names as the user's
// Explorer would: the program, the stand-in converter and its data files.
std::wstring AppFolderNamed(const TempFolder& parent, const std::wstring& name) {
    const std::wstring folder = Wide(parent.path()) + L"\\" + name;
    const std::wstring build = Wide(BuildFolder());
    if (!CreateDirectoryW(folder.c_str(), nullptr) ||
        !CopyFileW((build + L"\\Kestrimond GUI.exe").c_str(),
                   (folder + L"\\Kestrimond GUI.exe").c_str(), FALSE) ||
        !CopyFileW((build + L"\\kestrimond.exe").c_str(), (folder + L"\\kestrimond.exe").c_str(),
                   FALSE)) {
        throw std::runtime_error("cannot lay out the application folder");
    }
    WriteFile(folder + L"\\keys.bin", "keys");
    WriteFile(folder + L"\\base.pbp", "base");
    return folder;
}

// The converter's path and the image's in a command line the program built.
std::pair<std::string, std::string> ConverterAndImage(const std::string& commandLine) {
    const std::size_t blank = commandLine.find(" \"");
    std::string converter = commandLine.substr(0, blank);
    if (converter.size() > 1 && converter.front() == '"') {
        converter = converter.substr(1, converter.size() - 2);
    }
    return {converter, commandLine.substr(blank + 2, commandLine.size() - blank - 3)};
}

class JapaneseWindows : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "run these under ja_JP.UTF-8"; }

    // Converts `image` in the session and returns the converter's and the
    // image's paths as the converter got them.
    static std::pair<std::string, std::string> ConvertIn(Session& session,
                                                         const std::string& image) {
        session.Release();
        if (!image.empty()) {
            SetText(session.txtISO, image);
        }
        Click(session.cmdConvert);
        if (!WaitUntil([&] { return RunsIn(session.log).size() == 1; })) {
            ADD_FAILURE() << "the converter was not started";
            return {};
        }
        return ConverterAndImage(RunsIn(session.log)[0].commandLine);
    }

    // Starts the program laid out in `folder`, which must come up, write its
    // manifest beside itself and convert an image; returns the converter's
    // path as the program handed it on.
    static std::string ConverterPathFrom(const std::wstring& folder) {
        TempFolder images;
        WriteFile(images / "game.iso", "image");
        Session session(folder + L"\\Kestrimond GUI.exe");
        if (session.window == nullptr) {
            ADD_FAILURE() << "no main window";
            return "";
        }
        EXPECT_EQ(session.program.MessageBox(), nullptr);
        const std::wstring manifest = folder + L"\\Kestrimond GUI.exe.manifest";
        EXPECT_NE(GetFileAttributesW(manifest.c_str()), INVALID_FILE_ATTRIBUTES);
        const auto [converter, image] = ConvertIn(session, images / "game.iso");
        EXPECT_EQ(image, images / "game.iso");
        return converter;
    }
};

// In code page 932 the second byte of many characters is that of a backslash:
// of the last one here among them (0x95 0x5C).
TEST_F(JapaneseWindows, AFolderEndingInAKanjiWhoseLastByteIsABackslash) {
    TempFolder parent;
    const std::wstring folder = AppFolderNamed(parent, L"\u5909\u63DB\u8868");
    EXPECT_EQ(ConverterPathFrom(folder), parent / "\x95\xCF\x8A\xB7\x95\x5C\\kestrimond.exe");
}

// Hangul, which code page 932 cannot spell: the folder goes by its short name.
TEST_F(JapaneseWindows, AFolderNamedInAScriptTheCodePageLacks) {
    TempFolder parent;
    const std::wstring folder = AppFolderNamed(parent, L"\uBCC0\uD658\uAE30");
    const std::string converter = ConverterPathFrom(folder);
    EXPECT_EQ(LongNameOf(converter), folder + L"\\kestrimond.exe") << converter;
}

TEST_F(JapaneseWindows, ADroppedImageWithAPathTooLongForTheAnsiFunctions) {
    AppFolder app;
    TempFolder images;
    std::wstring path = Wide(images.path());
    // Made as Windows takes such paths: behind the long-path prefix.
    while (path.size() < 200) {
        path += L"\\" + std::wstring(50, L'a' + static_cast<wchar_t>(path.size() % 26));
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr));
    }
    path += L"\\\u30B2\u30FC\u30E0 " + std::wstring(300 - path.size() - 9, L'x') + L".iso";
    WriteFile(L"\\\\?\\" + path, "image");
    Session session(app);
    ASSERT_NE(session.window, nullptr);
    // The text box reads and draws its bytes in the system's script.
    EXPECT_EQ(session.Probe()["font " + std::to_string(control_ids::kTxtISO)],
              "MS Sans Serif|-11|400|0|0|0|128");
    EXPECT_EQ(session.Drop({path}), "finished");
    EXPECT_EQ(session.program.MessageBox(), nullptr);
    const std::string image = ConvertIn(session, "").second;
    EXPECT_LT(Wide(image).size(), 260u) << image;
    EXPECT_EQ(LongNameOf(image), path) << image;
}

}  // namespace
}  // namespace gui_test
