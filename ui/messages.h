#pragma once

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

// A file whose name the ANSI code page cannot spell, on a volume that keeps no
// short names; `name` is the name as that code page renders it.
std::string NoShortName(const std::string& name);

// The report of an error no handler expected, after which the program ends.
std::string UnexpectedError(const std::string& description);

}  // namespace messages
