#include "common/arguments.h"

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<std::wstring>;
using common::SplitCommandLine;

TEST(SplitCommandLine, ProgramNameThenQuotedArguments) {
    // As "Open with" and "Send To" start the program.
    EXPECT_EQ(
        SplitCommandLine(L"\"C:\\Program Files\\K\\Kestrimond GUI.exe\" \"D:\\my isos\\game.iso\""),
        (Arguments{L"C:\\Program Files\\K\\Kestrimond GUI.exe", L"D:\\my isos\\game.iso"}));
    EXPECT_EQ(SplitCommandLine(L"gui.exe D:\\a.iso \"D:\\b c.iso\""),
              (Arguments{L"gui.exe", L"D:\\a.iso", L"D:\\b c.iso"}));
    // Quotes group part of an argument; a pair inside quotes is one quote.
    EXPECT_EQ(SplitCommandLine(L"gui.exe a\"b c\"d \"x\"\"y\""),
              (Arguments{L"gui.exe", L"ab cd", L"x\"y"}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(SplitCommandLine(L"gui.exe \"D:\\my isos\\game.iso"),
              (Arguments{L"gui.exe", L"D:\\my isos\\game.iso"}));
    EXPECT_EQ(SplitCommandLine(L"\"C:\\Kestrimond GUI.exe\""),
              (Arguments{L"C:\\Kestrimond GUI.exe"}));
    EXPECT_EQ(SplitCommandLine(L""), Arguments{});
}

TEST(SplitCommandLine, BackslashesCountOnlyBeforeAQuote) {
    EXPECT_EQ(SplitCommandLine(L"gui.exe C:\\\\isos\\game.iso"),
              (Arguments{L"gui.exe", L"C:\\\\isos\\game.iso"}));
    // 2n backslashes and a quote: n backslashes, and the quote groups.
    EXPECT_EQ(SplitCommandLine(L"gui.exe \"C:\\isos\\\\\" next"),
              (Arguments{L"gui.exe", L"C:\\isos\\", L"next"}));
    // 2n+1: n backslashes and a literal quote, so this quote does not close.
    EXPECT_EQ(SplitCommandLine(L"gui.exe \"C:\\isos\\\" next"),
              (Arguments{L"gui.exe", L"C:\\isos\" next"}));
    EXPECT_EQ(SplitCommandLine(L"gui.exe a\\\\\\\"b"), (Arguments{L"gui.exe", L"a\\\"b"}));
    // The program name knows no escapes: its quote closes after the backslash.
    EXPECT_EQ(SplitCommandLine(L"\"C:\\dir\\\"x y"), (Arguments{L"C:\\dir\\", L"x", L"y"}));
}

TEST(SplitCommandLine, TabsSeparateAndEmptyArgumentsCount) {
    EXPECT_EQ(SplitCommandLine(L"gui.exe\ta.iso \t  b.iso\t"),
              (Arguments{L"gui.exe", L"a.iso", L"b.iso"}));
    EXPECT_EQ(SplitCommandLine(L"gui.exe \"\" b.iso"), (Arguments{L"gui.exe", L"", L"b.iso"}));
    EXPECT_EQ(SplitCommandLine(L"gui.exe \"\""), (Arguments{L"gui.exe", L""}));
    EXPECT_EQ(SplitCommandLine(L"gui.exe \"a\tb\""), (Arguments{L"gui.exe", L"a\tb"}));
}

}  // namespace
