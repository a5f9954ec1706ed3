#pragma once

#include <string>

#include "common/version_info.h"

// The running program as Windows reports it: where it lies, what it is called,
// what its version resource says, and how it was started.
namespace App {

// The application folder: no trailing backslash except at a drive root.
std::string Path();

// The full path of the running executable.
std::string ExePath();

// The executable's file name without its extension.
std::string EXEName();

// The program's own version resource.
common::VersionInfo Version();

// The arguments this run was started with (empty when there are none).
std::string Command();

// Ends the program at once: nothing else of it runs.
[[noreturn]] void End(unsigned exitCode);

}  // namespace App
