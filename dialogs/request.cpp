#include "dialogs/request.h"

#include "dialogs/file_buffer.h"

namespace Tavro_CommonDialog {

void PrepareRequest(RequestRecord& request, std::uint32_t recordSize) {
    request.lStructSize = recordSize;
    request.lpstrFileTitle.assign(kFileTitleLength, ' ');
    request.nMaxFileTitle = static_cast<std::uint32_t>(kFileTitleLength);
    request.lpstrFile.append(kFileBufferGrowth - 1, ' ');
    request.lpstrFile.push_back('\0');
    request.nMaxFile = static_cast<std::uint32_t>(request.lpstrFile.size());
    request.Flags = kDialogFlags;
}

OpenFileResult SelectionOf(const RequestRecord& request) {
    // Only blanks count as empty: the NUL the dialog writes after a title does not.
    const bool fileTitle = request.lpstrFileTitle.find_first_not_of(' ') != std::string::npos;
    OpenFileResult result =
        fileTitle
            ? ParseSingleFile(request.lpstrFile, static_cast<std::int16_t>(request.nFileOffset))
            : ParseMultipleSelection(request.lpstrFile);
    result.Cancelled = kFalse;
    return result;
}

OpenFileResult NoSelection(RequestRecord& request, std::uint32_t extendedError) {
    if (extendedError == kBufferTooSmall) {
        request.lpstrFile.clear();
    }
    OpenFileResult result;
    result.Cancelled = kTrue;
    return result;
}

}  // namespace Tavro_CommonDialog
