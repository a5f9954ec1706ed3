#pragma once

#include <string>

namespace execCMD {

// The converter's command line: its path, one blank, the image path between
// double quotes, and nothing else. A converter path holding a blank is quoted
// too, or Windows would try "C:\Program.exe" and the like first.
std::string ConverterCommandLine(const std::string& converterPath, const std::string& imagePath);

}  // namespace execCMD
