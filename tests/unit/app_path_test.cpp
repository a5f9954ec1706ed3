#include "common/app_path.h"

#include <gtest/gtest.h>

namespace {

bool SingleByte(char) {
    return false;
}

// Code page 932 (Shift-JIS), in which the second byte of many characters is
// that of a backslash.
bool ShiftJisLead(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

TEST(JoinPath, PutsOneBackslashBetweenFolderAndName) {
    EXPECT_EQ(common::JoinPath("D:\\Tools\\Conv", "kestrimond.exe", SingleByte),
              "D:\\Tools\\Conv\\kestrimond.exe");
    EXPECT_EQ(common::JoinPath("C:\\", "kestrimond.exe", SingleByte), "C:\\kestrimond.exe");
    EXPECT_EQ(common::JoinPath("C:\\isos\\", "game.iso", SingleByte), "C:\\isos\\game.iso");
    EXPECT_EQ(common::JoinPath("C:\\Program Files\\Kestrimond GUI", "keys.bin", SingleByte),
              "C:\\Program Files\\Kestrimond GUI\\keys.bin");
    // Blanks are part of the folder: nothing is trimmed.
    EXPECT_EQ(common::JoinPath("C:\\Tools ", "readme.txt", SingleByte), "C:\\Tools \\readme.txt");
    EXPECT_EQ(common::JoinPath("", "a.iso", SingleByte), "\\a.iso");
}

// In code page 932 "\x95\x5C" is one character (a kanji), whose second byte
// is no backslash; "\x95\x5C\x5C" ends in one.
TEST(EndsInBackslash, LooksAtTheLastCharacterNotTheLastByte) {
    EXPECT_FALSE(common::EndsInBackslash("C:\\\x95\xCF\x8A\xB7\x95\x5C", ShiftJisLead));
    EXPECT_TRUE(common::EndsInBackslash("C:\\\x95\x5C\x5C", ShiftJisLead));
    EXPECT_TRUE(common::EndsInBackslash("C:\\\x95\x5C", SingleByte));
    EXPECT_FALSE(common::EndsInBackslash("", ShiftJisLead));
    EXPECT_EQ(common::JoinPath("C:\\\x95\x5C", "kestrimond.exe", ShiftJisLead),
              "C:\\\x95\x5C\\kestrimond.exe");
    EXPECT_EQ(common::FolderOf("C:\\\x83\x5C\\\x94\x5C.exe", ShiftJisLead), "C:\\\x83\x5C");
    EXPECT_EQ(common::FileTitleOf("C:\\\x83\x5C\\\x94\x5C.exe", ShiftJisLead), "\x94\x5C");
}

TEST(FolderOf, DropsTheNameAndKeepsABackslashOnlyAtADriveRoot) {
    EXPECT_EQ(common::FolderOf("C:\\Tools\\Kestrimond GUI.exe", SingleByte), "C:\\Tools");
    EXPECT_EQ(common::FolderOf("C:\\Kestrimond GUI.exe", SingleByte), "C:\\");
    EXPECT_EQ(common::FolderOf("\\\\server\\share\\Kestrimond GUI.exe", SingleByte),
              "\\\\server\\share");
    EXPECT_EQ(common::FolderOf("C:\\a b\\c d\\x.exe", SingleByte), "C:\\a b\\c d");
}

TEST(FileTitleOf, DropsFolderAndLastExtension) {
    EXPECT_EQ(common::FileTitleOf("C:\\Tools\\Kestrimond GUI.exe", SingleByte), "Kestrimond GUI");
    EXPECT_EQ(common::FileTitleOf("C:\\Tools\\my.tool.exe", SingleByte), "my.tool");
    EXPECT_EQ(common::FileTitleOf("C:\\Tools.d\\noext", SingleByte), "noext");
}

TEST(HoldsInvalidPathCharacters, OnlyCharactersNoFileNameMayHold) {
    EXPECT_FALSE(common::HoldsInvalidPathCharacters(L"C:\\isos\\my game (v1.1) [!].iso"));
    EXPECT_FALSE(common::HoldsInvalidPathCharacters(L"relative/with/slashes.bin"));
    EXPECT_FALSE(common::HoldsInvalidPathCharacters(L"\u00E9t\u00E9.img"));
    // Japanese, whose Shift-JIS bytes hold the byte of "|".
    EXPECT_FALSE(common::HoldsInvalidPathCharacters(L"\u30DD\u30B1\u30E2\u30F3.bin"));
    EXPECT_FALSE(common::HoldsInvalidPathCharacters(L""));
    for (const wchar_t* bad :
         {L"a\"b.iso", L"a*.iso", L"a?.iso", L"a<b", L"a>b", L"a|b", L"a\tb", L"a\rb"}) {
        EXPECT_TRUE(common::HoldsInvalidPathCharacters(bad)) << bad;
    }
}

TEST(ArgumentsOf, SkipsTheProgramNameQuotedOrNot) {
    EXPECT_EQ(common::ArgumentsOf("\"C:\\Tools\\Kestrimond GUI.exe\" -a b"), "-a b");
    EXPECT_EQ(common::ArgumentsOf("C:\\Tools\\gui.exe   x"), "x");
    EXPECT_EQ(common::ArgumentsOf("\"C:\\Tools\\Kestrimond GUI.exe\""), "");
    EXPECT_EQ(common::ArgumentsOf("gui.exe"), "");
    EXPECT_EQ(common::ArgumentsOf("\"unclosed quote"), "");
}

}  // namespace
