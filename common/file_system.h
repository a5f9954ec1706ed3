#pragma once

#include <string>

namespace common {

// The main window's file-system object.
class FileSystemObject {
public:
    // True for an existing file; false for a missing path and for a folder.
    bool FileExists(const std::string& path) const;
};

}  // namespace common
