#pragma once

#include <string>
#include <string_view>

// The text of the application manifest and the command line of a restart.
namespace modXPStyle2 {

// The manifest for a program of the processor architecture ("x86" or
// "amd64"), with its four placeholders EXENAME, EXEVERSION, EXEDESCRIPTION and
// COMPANYNAME: 22 lines, each ended by CR LF.
std::string ManifestTemplate(std::string_view processorArchitecture);

// Replaces every case-sensitive occurrence of a word.
void ReplaceAll(std::string& text, std::string_view word, std::string_view by);

// Escapes the characters that would end an attribute value or start markup
// (& < > " '), so that any value leaves the manifest well-formed: Windows
// refuses to start a program whose manifest is not.
std::string XmlEscape(std::string_view value);

// The command line that starts the program again. The path is quoted: the
// executable's name holds a blank, and unquoted Windows would first try to
// start the program named by the part before it.
std::string RestartCommandLine(const std::string& folder, const std::string& exeName,
                               const std::string& arguments);

}  // namespace modXPStyle2
