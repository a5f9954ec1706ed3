#include "ui/messages.h"

#include <gtest/gtest.h>

namespace {

const std::string kRequired =
    "These are required for Kestrimond to run. Please place these in the application folder and "
    "try again.";

TEST(Messages, EveryTextByteForByte) {
    EXPECT_EQ(messages::ConverterMissing(),
              "The program can not find kestrimond.exe in the same directory as this GUI.\r\r"
              "The application cannot continue");
    EXPECT_EQ(messages::DataFilesMissing(false, false),
              "The following files cannot be found.\r\r\"keys.bin\"\r\"base.pbp\"\r\r" + kRequired);
    EXPECT_EQ(messages::DataFilesMissing(false, true),
              "The following files cannot be found.\r\r\"keys.bin\"\r\r" + kRequired);
    EXPECT_EQ(messages::DataFilesMissing(true, false),
              "The following files cannot be found.\r\r\"base.pbp\"\r\r" + kRequired);
    EXPECT_EQ(messages::ImageMissing(), "No ISO File selected, or the file does not exist");
    EXPECT_EQ(messages::ReadmeMissing(),
              "The program can not find the readme in the same directory as this GUI.");
    EXPECT_EQ(messages::NoShortName("C:\\isos\\???.bin", messages::PathProblem::Characters),
              "The name of this image holds characters that cannot be handed to kestrimond.exe:\r\r"
              "\"C:\\isos\\???.bin\"\r\r"
              "Its drive keeps no short names to use instead. Please rename the image, or move it "
              "to a drive that keeps short names, and try again.");
    // Windows' own text of the error, without its line break; a number without one.
    EXPECT_EQ(messages::ConverterNotStarted("The system cannot find the file specified.\r\n", 2),
              "The program can not start kestrimond.exe.\r\r"
              "The system cannot find the file specified.");
    EXPECT_EQ(messages::ConverterNotStarted("", 1234),
              "The program can not start kestrimond.exe.\r\rError 1234.");
    EXPECT_EQ(messages::ConverterNotStarted("\r\n", 5),
              "The program can not start kestrimond.exe.\r\rError 5.");
    // The program Windows names by its insert is the converter; a text the
    // code page cannot spell would show as question marks.
    EXPECT_EQ(messages::ConverterNotStarted("%1 is not a valid Win32 application.\r\n", 193),
              "The program can not start kestrimond.exe.\r\r"
              "kestrimond.exe is not a valid Win32 application.");
    EXPECT_EQ(messages::ConverterNotStarted(std::nullopt, 216),
              "The program can not start kestrimond.exe.\r\rError 216.");
    EXPECT_EQ(messages::UnexpectedError("std::bad_alloc"),
              "Run-time error:\r\rstd::bad_alloc\r\rThe application cannot continue");
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
