#include "ui/messages.h"

#include <initializer_list>
#include <string_view>

namespace messages {
namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    bool first = true;
    for (const std::string& line : lines) {
        if (!first) {
            text += '\r';
        }
        first = false;
        text += line;
    }
    return text;
}

std::string Quoted(const std::string& name) {
    return '"' + name + '"';
}

const char kFilesNotFound[] = "The following files cannot be found.";
const char kFilesRequired[] =
    "These are required for Kestrimond to run. Please place these in the application folder and "
    "try again.";

}  // namespace

std::string ConverterMissing() {
    return Lines({"The program can not find kestrimond.exe in the same directory as this GUI.", "",
                  "The application cannot continue"});
}

std::string DataFilesMissing(bool keysExists, bool baseExists) {
    if (!keysExists && !baseExists) {
        return Lines(
            {kFilesNotFound, "", Quoted("keys.bin"), Quoted("base.pbp"), "", kFilesRequired});
    }
    return Lines(
        {kFilesNotFound, "", Quoted(keysExists ? "base.pbp" : "keys.bin"), "", kFilesRequired});
}

std::string ImageMissing() {
    return "No ISO File selected, or the file does not exist";
}

std::string ReadmeMissing() {
    return "The program can not find the readme in the same directory as this GUI.";
}

std::string ConverterNotStarted(const std::optional<std::string>& systemText, unsigned long code) {
    // Windows ends its texts with a line break of its own.
    std::string reason = systemText.value_or("");
    reason.erase(reason.find_last_not_of("\r\n") + 1);
    // The program Windows speaks of ("%1 is not a valid Win32 application.").
    constexpr std::string_view kInsert = "%1";
    constexpr std::string_view kConverter = "kestrimond.exe";
    for (auto at = reason.find(kInsert); at != std::string::npos;
         at = reason.find(kInsert, at + kConverter.size())) {
        reason.replace(at, kInsert.size(), kConverter);
    }
    if (reason.empty()) {
        reason = "Error " + std::to_string(code) + ".";
    }
    return Lines({"The program can not start kestrimond.exe.", "", reason});
}

std::string NoShortName(const std::string& name, PathProblem problem) {
    return Lines(
        {problem == PathProblem::Characters
             ? "The name of this image holds characters that cannot be handed to kestrimond.exe:"
             : "The path of this image is too long to be handed to kestrimond.exe:",
         "", Quoted(name), "",
         "Its drive keeps no short names to use instead. Please rename the image, or move "
         "it to a drive that keeps short names, and try again."});
}

std::string ProgramFolderUnusable(const std::string& folder) {
    return Lines(
        {"The program cannot work from its folder, whose path cannot be handed to "
         "kestrimond.exe:",
         "", Quoted(folder), "",
         "Please move the program, kestrimond.exe and its files to a folder with a shorter "
         "path that uses only characters of this system's language, and try again.",
         "", "The application cannot continue"});
}

std::string UnexpectedError(const std::string& description) {
    return Lines({"Run-time error:", "", description, "", "The application cannot continue"});
}

}  // namespace messages
