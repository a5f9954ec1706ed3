#include "dialogs/file_buffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using Tavro_CommonDialog::DialogError;
using Tavro_CommonDialog::ParseMultipleSelection;
using Tavro_CommonDialog::ParseSingleFile;
using namespace std::string_literals;

// What the dialog leaves behind a selection: the rest of the blanks it was given.
std::string Padded(const std::string& selection) {
    return selection + std::string(40, ' ');
}

// A multiple selection of `count` names in C:\isos, in the dialog's layout.
std::string Selection(int count) {
    std::string buffer = "C:\\isos"s + '\0';
    for (int i = 1; i <= count; ++i) {
        buffer += "f" + std::to_string(i) + ".iso" + '\0';
    }
    return Padded(buffer + '\0');
}

DialogError::Kind KindOf(const std::function<void()>& parse) {
    try {
        parse();
    } catch (const DialogError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "no DialogError";
    return DialogError::Kind::OutOfRange;
}

TEST(SingleFileParse, SplitsFolderWithItsBackslashFromTheName) {
    const auto result = ParseSingleFile(Padded("C:\\isos\\game.iso\0"s), 8);
    EXPECT_EQ(result.Folder, "C:\\isos\\");
    EXPECT_EQ(result.FileCount, 1);
    ASSERT_EQ(result.FileNames.size(), 1u);
    EXPECT_EQ(result.FileNames[1], "game.iso");
    EXPECT_EQ(result.Folder + result.FileNames[1], "C:\\isos\\game.iso");

    const auto root = ParseSingleFile(Padded("C:\\game.iso\0"s), 3);
    EXPECT_EQ(root.Folder, "C:\\");
    EXPECT_EQ(root.FileNames[1], "game.iso");
}

TEST(SingleFileParse, RejectsANulBeforeTheNameOrNoneAtAll) {
    // The name would end before it begins.
    EXPECT_EQ(KindOf([] { ParseSingleFile("C:\\is\0os\\game.iso\0"s, 8); }),
              DialogError::Kind::InvalidArgument);
    EXPECT_EQ(KindOf([] { ParseSingleFile("C:\\isos\\game.iso", 8); }),
              DialogError::Kind::InvalidArgument);
    // An offset past 32767 reads back negative.
    EXPECT_EQ(KindOf([] { ParseSingleFile("C:\\isos\\game.iso\0"s, -1); }),
              DialogError::Kind::InvalidArgument);
    // A NUL right at the offset gives an empty name, not an error.
    EXPECT_EQ(ParseSingleFile("C:\\isos\\\0"s, 8).FileNames[1], "");
}

TEST(MultipleSelectionParse, GivesFolderWithoutBackslashAndNamesInOrder) {
    const auto result = ParseMultipleSelection(Padded("C:\\isos\0a.iso\0b.iso\0\0"s));
    EXPECT_EQ(result.Folder, "C:\\isos");
    EXPECT_EQ(result.FileCount, 2);
    ASSERT_EQ(result.FileNames.size(), 2u);
    EXPECT_EQ(result.FileNames[1], "a.iso");
    EXPECT_EQ(result.FileNames[2], "b.iso");

    const auto root = ParseMultipleSelection(Padded("C:\\\0a.iso\0b.iso\0c.iso\0\0"s));
    EXPECT_EQ(root.Folder, "C:\\");
    EXPECT_EQ(root.FileCount, 3);
    EXPECT_EQ(root.FileNames[3], "c.iso");

    const auto one = ParseMultipleSelection(Padded("C:\\isos\0only.iso\0\0"s));
    EXPECT_EQ(one.FileCount, 1);
    ASSERT_EQ(one.FileNames.size(), 1u);
    EXPECT_EQ(one.FileNames[1], "only.iso");
}

TEST(MultipleSelectionParse, HoldsExactly200Names) {
    const auto result = ParseMultipleSelection(Selection(200));
    EXPECT_EQ(result.FileCount, 200);
    ASSERT_EQ(result.FileNames.size(), 200u);
    EXPECT_EQ(result.FileNames[1], "f1.iso");
    EXPECT_EQ(result.FileNames[200], "f200.iso");

    EXPECT_EQ(KindOf([] { ParseMultipleSelection(Selection(201)); }),
              DialogError::Kind::OutOfRange);
}

TEST(MultipleSelectionParse, RejectsABufferWithoutItsClosingNul) {
    EXPECT_EQ(KindOf([] { ParseMultipleSelection("C:\\isos\0a.iso\0b.iso"s); }),
              DialogError::Kind::InvalidArgument);
    EXPECT_EQ(KindOf([] { ParseMultipleSelection("C:\\isos"); }),
              DialogError::Kind::InvalidArgument);
}

TEST(MultipleSelectionParse, FindsNoNulPastPosition32767) {
    // Folder, NUL, name, then the closing pair, whose first NUL is at `pairAt`.
    const auto selectionEndingAt = [](std::size_t pairAt) {
        const std::string name = "a.iso";
        const std::string folder = "C:\\" + std::string(pairAt - name.size() - 2 - 3, 'x');
        return folder + '\0' + name + '\0' + '\0';
    };
    const auto last = ParseMultipleSelection(selectionEndingAt(32767));
    EXPECT_EQ(last.FileCount, 1);
    EXPECT_EQ(last.FileNames[1], "a.iso");

    EXPECT_EQ(KindOf([&] { ParseMultipleSelection(selectionEndingAt(32768)); }),
              DialogError::Kind::Overflow);
}

}  // namespace
