#pragma once

#include <string>

#include "common/version_info.h"

// The running program as Windows reports it: where it lies, what it is called,
// what its version resource says, and how it was started. Its path is given in
// the ANSI code page, in which the program calls Windows: as it is where the
// code page spells it and it is short enough for the ANSI functions, else by
// its folder's short name.
namespace App {

// Whether an ANSI text names the program's own file; without one, Path and
// EXEName throw std::runtime_error.
bool HasAnsiPath();

// The application folder: no trailing backslash except at a drive root.
std::string Path();

// The application folder for a file of that name: by the folder's short name
// where the long one and the name together are too long for the ANSI functions.
std::string PathFor(const std::string& fileName);

// The executable's full path, by its long wide name.
std::wstring FilePath();

// The executable's file name without its extension.
std::string EXEName();

// The application folder by its long name, '?' for each character the code
// page lacks: for telling the user where the program lies.
std::string ShownFolder();

// The program's own version resource.
common::VersionInfo Version();

// The arguments this run was started with (empty when there are none).
std::string Command();

// Ends the program at once: nothing else of it runs.
[[noreturn]] void End(unsigned exitCode);

}  // namespace App
