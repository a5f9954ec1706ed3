#include "process/command_line.h"

#include <gtest/gtest.h>

namespace {

using execCMD::ConverterCommandLine;

TEST(ConverterCommandLine, QuotesTheImageAndNothingFollowsIt) {
    EXPECT_EQ(ConverterCommandLine("C:\\Tools\\kestrimond.exe", "C:\\isos\\game.iso"),
              "C:\\Tools\\kestrimond.exe \"C:\\isos\\game.iso\"");
    EXPECT_EQ(ConverterCommandLine("C:\\kestrimond.exe", "my game.iso"),
              "C:\\kestrimond.exe \"my game.iso\"");
    // The image path goes through unchanged: no trimming, no case change.
    EXPECT_EQ(ConverterCommandLine("C:\\kestrimond.exe", " a/B.IMG "),
              "C:\\kestrimond.exe \" a/B.IMG \"");
    EXPECT_EQ(ConverterCommandLine("C:\\kestrimond.exe", ""), "C:\\kestrimond.exe \"\"");
}

// Normal priority, and Windows' default error mode rather than the program's,
// which fails critical errors: Wine hands no error mode on, so only this shows it.
TEST(ConverterCreationFlags, NormalPriorityAndTheDefaultErrorMode) {
    EXPECT_EQ(execCMD::kConverterCreationFlags, 0x04000020u);
}

TEST(ConverterCommandLine, QuotesAConverterPathWithBlanks) {
    // Unquoted, Windows would try C:\Program.exe first and split the path.
    EXPECT_EQ(ConverterCommandLine("C:\\Program Files\\Kestrimond\\kestrimond.exe", "x.iso"),
              "\"C:\\Program Files\\Kestrimond\\kestrimond.exe\" \"x.iso\"");
}

}  // namespace
