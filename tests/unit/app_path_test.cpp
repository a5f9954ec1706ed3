#include "common/app_path.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "common/ansi_text.h"
#endif

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
    // The "?" of the long-path prefix is the prefix's own; the rest is checked.
    EXPECT_FALSE(common::HoldsInvalidPathCharacters(L"\\\\?\\C:\\isos\\game.bin"));
    EXPECT_FALSE(common::HoldsInvalidPathCharacters(L"\\\\?\\UNC\\server\\share\\game.bin"));
    for (const wchar_t* bad : {L"a\"b.iso", L"a*.iso", L"a?.iso", L"a<b", L"a>b", L"a|b", L"a\tb",
                               L"a\rb", L"\\\\?\\C:\\a?.iso", L"C:\\\\?\\a.iso"}) {
        EXPECT_TRUE(common::HoldsInvalidPathCharacters(bad)) << bad;
    }
}

TEST(LongPathPrefix, GoesOnFullPathsAndComesOffAgain) {
    using common::WithLongPathPrefix;
    using common::WithoutLongPathPrefix;
    EXPECT_EQ(WithLongPathPrefix(L"C:\\isos\\game.bin"), L"\\\\?\\C:\\isos\\game.bin");
    EXPECT_EQ(WithLongPathPrefix(L"\\\\server\\share\\game.bin"),
              L"\\\\?\\UNC\\server\\share\\game.bin");
    EXPECT_EQ(WithLongPathPrefix(L"\\\\?\\UNC\\s\\x\\a.iso"), L"\\\\?\\UNC\\s\\x\\a.iso");

    // The program's own path, as Windows gives it when it was started so.
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\?\\C:\\Tools\\Kestrimond GUI.exe"),
              L"C:\\Tools\\Kestrimond GUI.exe");
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\?\\UNC\\server\\share\\Kestrimond GUI.exe"),
              L"\\\\server\\share\\Kestrimond GUI.exe");
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\server\\s\\x.exe"), L"\\\\server\\s\\x.exe");
    EXPECT_EQ(WithoutLongPathPrefix(L"\\\\?\\unc\\server\\s\\x.iso"), L"\\\\server\\s\\x.iso");
}

// Behind the prefix only a drive, a share or a volume holds files; a pipe, a
// device or the object manager's root is opened by any look at it.
TEST(LongPathPrefix, OnlyDrivesSharesAndVolumesNameFilesBehindIt) {
    for (const wchar_t* disk : {L"\\\\?\\c:\\isos\\a.iso", L"\\\\?\\unc\\server\\share\\a.iso",
                                L"\\\\?\\Volume{26a21bda-a627-11d7-9931-806e6f6e6963}\\a.iso"}) {
        EXPECT_TRUE(common::NamesDiskBehindPrefix(disk)) << disk;
    }
    for (const wchar_t* other :
         {L"\\\\?\\pipe\\x", L"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1\\a.iso", L"\\\\?\\CON",
          L"\\\\?\\C:a.iso", L"\\\\?\\Volume{26a21bda}\\a.iso", L"\\\\?\\UNCx\\a", L"C:\\a.iso",
          L"\\\\?\\Volume{26a21bda-a627-11d7-9931-806e6f6e6963}"}) {
        EXPECT_FALSE(common::NamesDiskBehindPrefix(other)) << other;
    }
}

// Windows makes "CON" and "C:\isos\aux" full as "\\.\CON" and "\\.\aux";
// "//?/pipe/x" becomes "\\?\pipe\x". Pipes and mailslots of other machines
// are no files either, nor is a kernel path.
TEST(NamesDevice, DevicesPipesAndMailslotsAnywhere) {
    for (const wchar_t* device :
         {L"\\\\.\\aux", L"\\\\.\\pipe\\x", L"\\\\?\\pipe\\x", L"\\\\server\\pipe\\x",
          L"\\\\localhost\\PIPE\\x", L"\\\\?\\UNC\\server\\pipe\\x", L"\\\\server\\mailslot\\x",
          L"\\\\server\\pipe", L"\\\\server\\ipc$\\x", L"\\??\\C:\\x.iso"}) {
        EXPECT_TRUE(common::NamesDevice(device)) << device;
    }
    for (const wchar_t* file :
         {L"\\\\?\\C:\\isos\\aux", L"C:\\isos\\aux.iso", L"\\\\server\\share\\pipe\\x",
          L"\\\\server\\pipes\\x", L"\\\\?\\UNC\\server\\share\\x", L"C:\\??\\x.iso"}) {
        EXPECT_FALSE(common::NamesDevice(file)) << file;
    }
}

#ifdef _WIN32
// The character set of the text box's font, from Windows' own table. (Wine's
// table knows 65001 too, which Windows' lacks, so a made-up code page stands
// for one without a character set.)
TEST(CharsetOfCodePage, TheCodePagesOwnOrTheDefault) {
    const std::pair<UINT, BYTE> cases[] = {{1252, ANSI_CHARSET},       {932, SHIFTJIS_CHARSET},
                                           {936, GB2312_CHARSET},      {949, HANGUL_CHARSET},
                                           {950, CHINESEBIG5_CHARSET}, {1250, EASTEUROPE_CHARSET},
                                           {1251, RUSSIAN_CHARSET},    {12345, DEFAULT_CHARSET}};
    for (const auto& [codePage, charset] : cases) {
        EXPECT_EQ(common::CharsetOfCodePage(codePage), charset) << codePage;
    }
}
#endif

TEST(ArgumentsOf, SkipsTheProgramNameQuotedOrNot) {
    EXPECT_EQ(common::ArgumentsOf("\"C:\\Tools\\Kestrimond GUI.exe\" -a b"), "-a b");
    EXPECT_EQ(common::ArgumentsOf("C:\\Tools\\gui.exe   x"), "x");
    EXPECT_EQ(common::ArgumentsOf("\"C:\\Tools\\Kestrimond GUI.exe\""), "");
    EXPECT_EQ(common::ArgumentsOf("gui.exe"), "");
    EXPECT_EQ(common::ArgumentsOf("\"unclosed quote"), "");
}

}  // namespace
