#pragma once

#include <cstdint>
#include <string_view>

#include "dialogs/open_file_result.h"

// Reading the file buffer that the open-file dialog fills. Positions in the
// buffer count from 1, as the dialog's offsets do.
namespace Tavro_CommonDialog {

// The most names a multiple selection may hold.
constexpr int kMaxSelectedFiles = 200;

// One chosen file: the buffer holds its full path and a NUL, and `fileOffset`
// is the number of characters before its name. Folder keeps its trailing
// backslash. Throws DialogError (InvalidArgument) when the first NUL lies
// before the name or there is none, or the offset is negative.
OpenFileResult ParseSingleFile(std::string_view buffer, std::int16_t fileOffset);

// Several chosen files: the folder, a NUL, each name followed by a NUL, and
// one more NUL. Throws DialogError: OutOfRange for more than kMaxSelectedFiles
// names, Overflow for a NUL found past position 32767, InvalidArgument when a
// name has no NUL after it.
OpenFileResult ParseMultipleSelection(std::string_view buffer);

}  // namespace Tavro_CommonDialog
