#include "dialogs/file_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
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

// A buffer as the dialog might leave it, or broken in the ways a buffer can be:
// the dialog's layout with any number of names, padded to end near the last
// position a 16-bit position reaches, and sometimes without its closing pair
// or with a NUL put in or taken out; or text with NULs anywhere.
std::string GeneratedBuffer(std::mt19937& random) {
    const auto number = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto text = [&](int length) {
        std::string piece(static_cast<std::size_t>(length), ' ');
        for (char& c : piece) {
            c = "ab\\ :."[number(0, 5)];
        }
        return piece;
    };
    std::string buffer;
    if (number(0, 1) == 0) {
        const int names = number(0, 3) == 0 ? number(195, 205) : number(0, 6);
        buffer = text(number(0, 12)) + '\0';
        for (int i = 0; i < names; ++i) {
            buffer += text(number(1, 12)) + '\0';
        }
        if (number(0, 2) == 0) {  // the closing pair about position 32767
            buffer.insert(
                0, text(std::max(0, 32767 + number(-8, 8) - static_cast<int>(buffer.size()))));
        }
        if (number(0, 3) != 0) {
            buffer += '\0';
        }
        for (int k = number(0, 3) == 0 ? number(1, 3) : 0; k > 0; --k) {
            char& c =
                buffer[static_cast<std::size_t>(number(0, static_cast<int>(buffer.size()) - 1))];
            c = c == '\0' ? 'x' : '\0';
        }
    } else {
        buffer = text(number(0, number(0, 9) == 0 ? 33000 : 300));
        const int percent = number(0, 50);
        for (char& c : buffer) {
            if (number(1, 100) <= percent) {
                c = '\0';
            }
        }
    }
    return buffer + std::string(static_cast<std::size_t>(number(0, 40)), ' ');
}

// Each generated buffer through both parses: each ends in a result that
// matches its buffer or in a DialogError, never in anything else.
TEST(FileBufferParses, AnyBufferGivesAConsistentResultOrADialogError) {
    std::mt19937 random(20261207);
    int results = 0;
    int errors = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string buffer = GeneratedBuffer(random);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(buffer.size()) +
                     " characters");
        try {
            const auto result = ParseMultipleSelection(buffer);
            ++results;
            ASSERT_GE(result.FileCount, 1);
            ASSERT_LE(result.FileCount, 200);
            ASSERT_EQ(result.FileNames.size(), static_cast<std::size_t>(result.FileCount));
            // Folder, names and closing pair are the buffer's start, piece by piece.
            std::string layout = result.Folder + '\0';
            for (int i = 1; i <= result.FileCount; ++i) {
                ASSERT_EQ(result.FileNames[i].find('\0'), std::string::npos);
                layout += result.FileNames[i] + '\0';
            }
            layout += '\0';
            ASSERT_EQ(buffer.compare(0, layout.size(), layout), 0);
            ASSERT_LE(layout.size() - 1, 32767u) << "the closing pair starts past position 32767";
        } catch (const DialogError&) {
            ++errors;
        }

        const auto offset =
            static_cast<std::int16_t>(std::uniform_int_distribution<int>(-40000, 40000)(random));
        try {
            const auto result = ParseSingleFile(buffer, offset);
            ++results;
            ASSERT_GE(offset, 0);
            const auto n = static_cast<std::size_t>(offset);
            EXPECT_EQ(result.Folder, buffer.substr(0, n));
            ASSERT_EQ(result.FileNames.size(), 1u);
            EXPECT_EQ(result.FileNames[1], buffer.substr(n, buffer.find('\0') - n));
        } catch (const DialogError&) {
            ++errors;
        }
    }
    // Both outcomes are well represented, so neither check ran empty.
    EXPECT_GT(results, 500);
    EXPECT_GT(errors, 500);
}

}  // namespace
