#include "common/arguments.h"

namespace common {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
    std::vector<std::wstring> arguments;
    const std::size_t size = commandLine.size();
    std::size_t i = 0;
    if (size == 0) {
        return arguments;
    }

    // The program name: backslashes and quotes have no other meaning in it.
    std::wstring program;
    if (commandLine[0] == L'"') {
        const std::size_t close = commandLine.find(L'"', 1);
        const std::size_t end = close == std::wstring::npos ? size : close;
        program = commandLine.substr(1, end - 1);
        i = close == std::wstring::npos ? size : close + 1;
    } else {
        while (i < size && !IsBlank(commandLine[i])) {
            ++i;
        }
        program = commandLine.substr(0, i);
    }
    arguments.push_back(program);

    for (;;) {
        while (i < size && IsBlank(commandLine[i])) {
            ++i;
        }
        if (i == size) {
            return arguments;
        }
        std::wstring argument;
        bool quoted = false;
        while (i < size && (quoted || !IsBlank(commandLine[i]))) {
            std::size_t backslashes = 0;
            while (i < size && commandLine[i] == L'\\') {
                ++backslashes;
                ++i;
            }
            if (i < size && commandLine[i] == L'"') {
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                } else if (quoted && i + 1 < size && commandLine[i + 1] == L'"') {
                    argument += L'"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                argument.append(backslashes, L'\\');
                if (i < size && backslashes == 0) {
                    argument += commandLine[i];
                    ++i;
                }
            }
        }
        arguments.push_back(argument);
    }
}

}  // namespace common
