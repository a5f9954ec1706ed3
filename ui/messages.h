#pragma once

#include <optional>
#include <string>

// The texts of the main window's error boxes. Lines are joined by a lone
// carriage return, as the message box shows them.
namespace messages {

std::string ConverterMissing();

// The message for missing data files; call it only when at least one of them
// is missing.
std::string DataFilesMissing(bool keysExists, bool baseExists);

std::string ImageMissing();

std::string ReadmeMissing();

// The converter could not be started. `systemText` is what Windows says of
// the error `code` (FormatMessage), with its "%1" meaning the converter; it
// may be empty when Windows says nothing, or missing when the ANSI code page
// cannot spell it.
std::string ConverterNotStarted(const std::optional<std::string>& systemText, unsigned long code);

// Why the ANSI text of a path cannot name its file.
enum class PathProblem {
    Characters,  // the ANSI code page cannot spell the name
    Length,      // the path is too long for the ANSI functions
};

// An image that no ANSI text can name, and no short name can stand in for;
// `name` is the name as the ANSI code page renders it.
std::string NoShortName(const std::string& name, PathProblem problem);

// The program itself lies where no ANSI text names it, so that it cannot hand
// its converter's path on; `folder` as the ANSI code page renders it.
std::string ProgramFolderUnusable(const std::string& folder);

// The report of an error no handler expected, after which the program ends.
std::string UnexpectedError(const std::string& description);

}  // namespace messages
