#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "common/file_system.h"

// Files dropped on the window from the shell. The drop is let go of
// (DragFinish) when this ends, on every path.
class DroppedFiles {
public:
    explicit DroppedFiles(HDROP drop) : drop_(drop) {}
    ~DroppedFiles();
    DroppedFiles(const DroppedFiles&) = delete;
    DroppedFiles& operator=(const DroppedFiles&) = delete;

    // The first dropped item that is an existing file; folders are passed over.
    std::optional<std::wstring> FirstFile(const common::FileSystemObject& fso) const;

private:
    HDROP drop_;
};
