#include "ui/dropped_files.h"

#include "common/dll_function.h"

namespace {

// Asks DragQueryFileW for the number of items rather than for one of them.
constexpr UINT kItemCount = 0xFFFFFFFF;

}  // namespace

DroppedFiles::~DroppedFiles() {
    static common::DllFunction<decltype(::DragFinish)> dragFinish("shell32.dll", "DragFinish");
    if (dragFinish.get()) {
        dragFinish.get()(drop_);
    }
}

std::optional<std::wstring> DroppedFiles::FirstFile(const common::FileSystemObject& fso) const {
    static common::DllFunction<decltype(::DragQueryFileW)> dragQueryFile("shell32.dll",
                                                                         "DragQueryFileW");
    const auto query = dragQueryFile.get();
    if (!query) {
        return std::nullopt;
    }
    const UINT count = query(drop_, kItemCount, nullptr, 0);
    for (UINT item = 0; item < count; ++item) {
        std::wstring name(query(drop_, item, nullptr, 0) + 1, L'\0');
        name.resize(query(drop_, item, name.data(), static_cast<UINT>(name.size())));
        if (!name.empty() && fso.FileExists(name)) {
            return name;
        }
    }
    return std::nullopt;
}
