#pragma once

#include <string>
#include <vector>

namespace common {

// Splits a process command line into its arguments by the rules Windows
// documents for C programs: the program name first, up to the next blank or
// tab, or between double quotes with no escapes; then arguments separated by
// blanks and tabs, where double quotes group (and "" inside quotes is one
// quote), 2n backslashes before a quote become n and the quote groups, 2n+1
// become n and a literal quote, and other backslashes are literal. Kept free
// of shell32, whose CommandLineToArgvW would load it at start.
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

}  // namespace common
