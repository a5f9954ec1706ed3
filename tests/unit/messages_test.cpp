#include "ui/messages.h"

#include <gtest/gtest.h>

#include "tests/texts.h"

namespace {

TEST(Messages, EveryTextByteForByte) {
    EXPECT_EQ(messages::ConverterMissing(), texts::kConverterMissing);
    EXPECT_EQ(messages::DataFilesMissing(false, false),
              texts::DataFilesMissing("\"keys.bin\"\r\"base.pbp\""));
    EXPECT_EQ(messages::DataFilesMissing(false, true), texts::DataFilesMissing("\"keys.bin\""));
    EXPECT_EQ(messages::DataFilesMissing(true, false), texts::DataFilesMissing("\"base.pbp\""));
    EXPECT_EQ(messages::ImageMissing(), texts::kImageMissing);
    EXPECT_EQ(messages::ReadmeMissing(), texts::kReadmeMissing);
    EXPECT_EQ(messages::NoShortName("C:\\isos\\???.bin", messages::PathProblem::Characters),
              "The name of this image holds characters that cannot be handed to kestrimond.exe:\r\r"
              "\"C:\\isos\\???.bin\"\r\r"
              "Its drive keeps no short names to use instead. Please rename the image, or move it "
              "to a drive that keeps short names, and try again.");
    // Windows' own text of the error, without its line break; a number without one.
    EXPECT_EQ(messages::ConverterNotStarted("The system cannot find the file specified.\r\n", 2),
              texts::kConverterNotStarted + "The system cannot find the file specified.");
    EXPECT_EQ(messages::ConverterNotStarted("", 1234), texts::kConverterNotStarted + "Error 1234.");
    EXPECT_EQ(messages::ConverterNotStarted("\r\n", 5), texts::kConverterNotStarted + "Error 5.");
    // The program Windows names by its insert is the converter; a text the
    // code page cannot spell would show as question marks.
    EXPECT_EQ(messages::ConverterNotStarted("%1 is not a valid Win32 application.\r\n", 193),
              texts::kConverterNotStarted + "kestrimond.exe is not a valid Win32 application.");
    EXPECT_EQ(messages::ConverterNotStarted(std::nullopt, 216),
              texts::kConverterNotStarted + "Error 216.");
    EXPECT_EQ(messages::UnexpectedError("std::bad_alloc"),
              texts::UnexpectedError("std::bad_alloc"));
}

TEST(Messages, LinesAreJoinedByCarriageReturnsOnly) {
    for (const std::string& text :
         {messages::ConverterMissing(), messages::DataFilesMissing(false, false),
          messages::DataFilesMissing(true, false), messages::DataFilesMissing(false, true),
          messages::NoShortName("x.iso", messages::PathProblem::Length),
          messages::ProgramFolderUnusable("C:\\??")}) {
        EXPECT_EQ(text.find('\n'), std::string::npos) << text;
        EXPECT_NE(text.front(), '\r');
        EXPECT_NE(text.back(), '\r');
    }
}

}  // namespace
