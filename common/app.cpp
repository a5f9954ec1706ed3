#include "common/app.h"

#include <windows.h>

#include <vector>

#include "common/app_path.h"

namespace App {

std::string ExePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string Path() {
    return common::FolderOf(ExePath());
}

std::string EXEName() {
    return common::FileTitleOf(ExePath());
}

common::VersionInfo Version() {
    // Read straight from the executable's resources: no need to load version.dll.
    constexpr int kVersionBlock = 1;
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(kVersionBlock), RT_VERSION);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* block = loaded ? LockResource(loaded) : nullptr;
    if (!block) {
        return common::VersionInfo();
    }
    return common::ParseVersionInfo(block, SizeofResource(nullptr, found));
}

std::string Command() {
    return common::ArgumentsOf(GetCommandLineA());
}

void End(unsigned exitCode) {
    ExitProcess(exitCode);
}

}  // namespace App
