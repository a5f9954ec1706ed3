#pragma once

#include <string>

namespace execCMD {

// How the converter is started: at normal priority (NORMAL_PRIORITY_CLASS),
// with Windows' default error mode (CREATE_DEFAULT_ERROR_MODE), as when the
// shell starts a program, rather than the one this program sets for itself.
constexpr unsigned long kConverterCreationFlags = 0x00000020 | 0x04000000;

// The converter's command line: its path, one blank, the image path between
// double quotes, and nothing else. A converter path holding a blank is quoted
// too, or Windows would try "C:\Program.exe" and the like first.
std::string ConverterCommandLine(const std::string& converterPath, const std::string& imagePath);

}  // namespace execCMD
