#include "visualstyle/manifest.h"

#include <array>

namespace modXPStyle2 {

namespace {

// Blanks at the ends of some lines belong to the text. Both the program and
// the common controls it binds are of the program's processor architecture.
constexpr std::array<std::string_view, 22> kTemplateLines = {
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?> )",
    R"(<assembly )",
    R"(   xmlns="urn:schemas-microsoft-com:asm.v1" )",
    R"(   manifestVersion="1.0">)",
    R"(<assemblyIdentity )",
    R"(    processorArchitecture="ARCHITECTURE" )",
    R"(    version="EXEVERSION")",
    R"(    type="win32")",
    R"(    name="COMPANYNAME.EXENAME"/>)",
    R"(    <description>EXEDESCRIPTION</description>)",
    R"(    <dependency>)",
    R"(    <dependentAssembly>)",
    R"(    <assemblyIdentity)",
    R"(         type="win32")",
    R"(         name="Microsoft.Windows.Common-Controls")",
    R"(         version="6.0.0.0")",
    // The token Microsoft publishes for the common controls assembly.
    R"(         publicKeyToken="6595b64144ccf1df")",
    R"(         language="*")",
    R"(         processorArchitecture="ARCHITECTURE"/>)",
    R"(    </dependentAssembly>)",
    R"(    </dependency>)",
    R"(</assembly>)",
};

}  // namespace

std::string ManifestTemplate(std::string_view processorArchitecture) {
    std::string text;
    for (const std::string_view line : kTemplateLines) {
        text.append(line).append("\r\n");
    }
    ReplaceAll(text, "ARCHITECTURE", processorArchitecture);
    return text;
}

void ReplaceAll(std::string& text, std::string_view word, std::string_view by) {
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + by.size())) {
        text.replace(at, word.size(), by);
    }
}

std::string XmlEscape(std::string_view value) {
    std::string escaped;
    for (const char c : value) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string RestartCommandLine(const std::string& folder, const std::string& exeName,
                               const std::string& arguments) {
    return '"' + folder + '\\' + exeName + ".exe\" " + arguments;
}

}  // namespace modXPStyle2
