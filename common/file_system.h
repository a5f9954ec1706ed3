#pragma once

#include <string>

namespace common {

// The main window's file-system object, and the one test of whether a path
// names a file, for every file the program looks for.
class FileSystemObject {
public:
    // True for an existing file on a disk; false for a missing path, a folder,
    // and a device or pipe (CON, NUL, "C:\isos\aux", "\\.\pipe\x"), which is
    // decided by Windows' path rules and never by opening it.
    bool FileExists(const std::string& path) const;
    // The same for a wide name, such as one the shell hands over.
    bool FileExists(const std::wstring& path) const;
};

// The full path of `path`, as Windows resolves it (GetFullPathNameW); an empty
// text when it cannot.
std::wstring FullPathOf(const std::wstring& path);

// `path` as the W functions take it: unchanged where its full path is shorter
// than MAX_PATH, else full behind the long-path prefix.
std::wstring ForWideFunctions(const std::wstring& path);

}  // namespace common
