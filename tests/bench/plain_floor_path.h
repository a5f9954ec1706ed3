#pragma once

#include <string>

// Where the plain floor lies and what it is called.
struct ProgramPath {
    std::string folder;  // no trailing backslash but at a drive root ("C:\")
    std::string name;    // the file name without its extension
};

// The plain floor's first call, in a file of its own: ld --wrap redirects only
// calls from other files, and the at-once build wraps this one.
ProgramPath ReadProgramPath();
