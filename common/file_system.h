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

// The full path of `path`, as Windows resolves it (GetFullPathNameW), where
// "//?/" spellings become "\\?\" too; a path behind the long-path prefix as
// it is, since the W functions take it literally; an empty text when it cannot.
std::wstring FullPathOf(const std::wstring& path);

// `path` as the W functions take it, given its full path: unchanged where
// that is shorter than MAX_PATH, else the full path behind the long-path prefix.
std::wstring ForWideFunctions(const std::wstring& path, const std::wstring& full);
std::wstring ForWideFunctions(const std::wstring& path);

}  // namespace common
