#include "common/app_path.h"

#include <string_view>

namespace common {

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') {
        return folder + name;
    }
    return folder + "\\" + name;
}

std::string FolderOf(const std::string& filePath) {
    const auto slash = filePath.find_last_of('\\');
    if (slash == std::string::npos) {
        return std::string();
    }
    std::string folder = filePath.substr(0, slash);
    // "C:" alone would mean the drive's current folder, not its root.
    if (folder.size() == 2 && folder[1] == ':') {
        folder += '\\';
    }
    return folder;
}

std::string FileTitleOf(const std::string& filePath) {
    const auto slash = filePath.find_last_of('\\');
    std::string name = slash == std::string::npos ? filePath : filePath.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot != 0) {
        name.erase(dot);
    }
    return name;
}

bool HoldsInvalidPathCharacters(const std::wstring& path) {
    for (const wchar_t c : path) {
        if (c < 32 || std::wstring_view(L"\"*<>?|").find(c) != std::wstring_view::npos) {
            return true;
        }
    }
    return false;
}

std::string ArgumentsOf(const std::string& commandLine) {
    std::size_t i = 0;
    if (i < commandLine.size() && commandLine[i] == '"') {
        const auto close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') {
            ++i;
        }
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) {
        ++i;
    }
    return commandLine.substr(i);
}

}  // namespace common
