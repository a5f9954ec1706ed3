#include "common/file_system.h"

#include <windows.h>

#include "common/ansi_text.h"
#include "common/app_path.h"

namespace common {
namespace {

bool IsFile(DWORD attributes) {
    constexpr DWORD kNoFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNoFile) == 0;
}

}  // namespace

bool FileSystemObject::FileExists(const std::string& path) const {
    return FileExists(WideFromAnsi(path));
}

bool FileSystemObject::FileExists(const std::wstring& path) const {
    const std::wstring full = FullPathOf(path);
    return !NamesDevice(full) && IsFile(GetFileAttributesW(ForWideFunctions(path, full).c_str()));
}

std::wstring FullPathOf(const std::wstring& path) {
    // Behind the prefix names are taken literally: "\\?\C:\isos\aux" is a file.
    if (HasLongPathPrefix(path) || IsKernelPath(path)) {
        return path;
    }
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

std::wstring ForWideFunctions(const std::wstring& path, const std::wstring& full) {
    return full.size() < MAX_PATH ? path : WithLongPathPrefix(full);
}

std::wstring ForWideFunctions(const std::wstring& path) {
    return ForWideFunctions(path, FullPathOf(path));
}

}  // namespace common
