#include "process/command_line.h"

namespace execCMD {

std::string ConverterCommandLine(const std::string& converterPath, const std::string& imagePath) {
    const bool quote = converterPath.find(' ') != std::string::npos;
    const std::string program = quote ? '"' + converterPath + '"' : converterPath;
    return program + " \"" + imagePath + '"';
}

}  // namespace execCMD
