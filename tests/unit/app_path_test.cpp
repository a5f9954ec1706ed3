#include "common/app_path.h"

#include <gtest/gtest.h>

namespace {

TEST(JoinPath, PutsOneBackslashBetweenFolderAndName) {
    EXPECT_EQ(common::JoinPath("D:\\Tools\\Conv", "kestrimond.exe"),
              "D:\\Tools\\Conv\\kestrimond.exe");
    EXPECT_EQ(common::JoinPath("C:\\", "kestrimond.exe"), "C:\\kestrimond.exe");
    EXPECT_EQ(common::JoinPath("C:\\isos\\", "game.iso"), "C:\\isos\\game.iso");
    EXPECT_EQ(common::JoinPath("C:\\Program Files\\Kestrimond GUI", "keys.bin"),
              "C:\\Program Files\\Kestrimond GUI\\keys.bin");
    // Blanks are part of the folder: nothing is trimmed.
    EXPECT_EQ(common::JoinPath("C:\\Tools ", "readme.txt"), "C:\\Tools \\readme.txt");
    EXPECT_EQ(common::JoinPath("", "a.iso"), "\\a.iso");
}

TEST(FolderOf, DropsTheNameAndKeepsABackslashOnlyAtADriveRoot) {
    EXPECT_EQ(common::FolderOf("C:\\Tools\\Kestrimond GUI.exe"), "C:\\Tools");
    EXPECT_EQ(common::FolderOf("C:\\Kestrimond GUI.exe"), "C:\\");
    EXPECT_EQ(common::FolderOf("\\\\server\\share\\Kestrimond GUI.exe"), "\\\\server\\share");
    EXPECT_EQ(common::FolderOf("C:\\a b\\c d\\x.exe"), "C:\\a b\\c d");
}

TEST(FileTitleOf, DropsFolderAndLastExtension) {
    EXPECT_EQ(common::FileTitleOf("C:\\Tools\\Kestrimond GUI.exe"), "Kestrimond GUI");
    EXPECT_EQ(common::FileTitleOf("C:\\Tools\\my.tool.exe"), "my.tool");
    EXPECT_EQ(common::FileTitleOf("C:\\Tools.d\\noext"), "noext");
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
