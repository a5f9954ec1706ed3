#include "common/file_system.h"

#include <windows.h>

namespace common {
namespace {

bool IsFile(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool FileSystemObject::FileExists(const std::string& path) const {
    return IsFile(GetFileAttributesA(path.c_str()));
}

bool FileSystemObject::FileExists(const std::wstring& path) const {
    return IsFile(GetFileAttributesW(path.c_str()));
}

}  // namespace common
