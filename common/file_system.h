#pragma once

#include <string>

namespace common {

// The main window's file-system object.
class FileSystemObject {
public:
    // True for an existing file; false for a missing path and for a folder.
    bool FileExists(const std::string& path) const;
    // The same for a wide name, such as one the shell hands over.
    bool FileExists(const std::wstring& path) const;
};

}  // namespace common
