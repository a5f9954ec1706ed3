#include "tests/bench/plain_floor_path.h"

#include <windows.h>

ProgramPath ReadProgramPath() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    const std::string file(buffer, length < MAX_PATH ? length : 0);
    const std::size_t nameStart = file.find_last_of('\\') + 1;  // 0 without a backslash
    ProgramPath path{file.substr(0, nameStart > 0 ? nameStart - 1 : 0), file.substr(nameStart)};
    // "C:" alone would mean the drive's current folder, not its root.
    if (path.folder.size() == 2 && path.folder[1] == ':') {
        path.folder += '\\';
    }
    const std::size_t dot = path.name.find_last_of('.');
    if (dot != std::string::npos && dot != 0) {
        path.name.erase(dot);
    }
    return path;
}
