#pragma once

#include <string>

// The program's texts that the tests, the bench and scripts/run look for, spelt
// here once and not taken from its sources: a wrong text there fails the tests.
namespace texts {

constexpr char kMainTitle[] = "Kestrimond GUI BETA - Created by quill_marsh58";
constexpr char kBoxTitle[] = "Kestrimond GUI";
constexpr char kDialogTitle[] = "Select your PSX Image";
constexpr char kBrowse[] = "...";
constexpr char kConvert[] = "Convert";
constexpr char kSite[] = "Visit quillmarsh58.example.net";
constexpr char kReadme[] = "View the readme";

constexpr char kImageMissing[] = "No ISO File selected, or the file does not exist";
constexpr char kReadmeMissing[] =
    "The program can not find the readme in the same directory as this GUI.";
constexpr char kConverterMissing[] =
    "The program can not find kestrimond.exe in the same directory as this GUI.\r\r"
    "The application cannot continue";
inline const std::string kConverterNotStarted = "The program can not start kestrimond.exe.\r\r";

// `files`: the missing ones, quoted; a lone carriage return ends a box's lines.
inline std::string DataFilesMissing(const std::string& files) {
    return "The following files cannot be found.\r\r" + files +
           "\r\rThese are required for Kestrimond to run. Please place these in the "
           "application folder and try again.";
}

inline std::string UnexpectedError(const std::string& description) {
    return "Run-time error:\r\r" + description + "\r\rThe application cannot continue";
}

}  // namespace texts
