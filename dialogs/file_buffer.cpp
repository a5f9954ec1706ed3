#include "dialogs/file_buffer.h"

#include <array>
#include <string>

namespace Tavro_CommonDialog {
namespace {

constexpr std::string_view kNul("\0", 1);
constexpr std::string_view kNulPair("\0\0", 2);
constexpr long kMaxPosition = 32767;

// The position of the first `what` at `start` or later, 0 when there is none.
long Find(std::string_view buffer, long start, std::string_view what) {
    if (start < 1 || static_cast<std::size_t>(start) > buffer.size()) {
        return 0;
    }
    const std::size_t at = buffer.find(what, static_cast<std::size_t>(start - 1));
    return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

// The walk keeps its positions in 16 bits.
long Position16(long position) {
    if (position > kMaxPosition) {
        throw DialogError(DialogError::Kind::Overflow, "position past 32767 in the file buffer");
    }
    return position;
}

// `length` characters from position `start`, fewer where the buffer ends.
std::string Mid(std::string_view buffer, long start, long length) {
    if (length < 0) {
        throw DialogError(DialogError::Kind::InvalidArgument,
                          "a piece of the file buffer of negative length");
    }
    if (static_cast<std::size_t>(start) > buffer.size()) {
        return std::string();
    }
    return std::string(
        buffer.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length)));
}

}  // namespace

OpenFileResult ParseSingleFile(std::string_view buffer, std::int16_t fileOffset) {
    OpenFileResult result;
    const long n = fileOffset;
    result.Folder = Mid(buffer, 1, n);
    result.FileCount = 1;
    const long firstNul = Find(buffer, 1, kNul);
    result.FileNames.Append(Mid(buffer, n + 1, firstNul - n - 1));
    return result;
}

OpenFileResult ParseMultipleSelection(std::string_view buffer) {
    OpenFileResult result;
    std::array<std::string, kMaxSelectedFiles> slots;
    const auto store = [&slots](long number, std::string name) {
        if (number > kMaxSelectedFiles) {
            throw DialogError(DialogError::Kind::OutOfRange, "more than 200 files selected");
        }
        slots[static_cast<std::size_t>(number - 1)] = std::move(name);
    };

    long passed = 0;  // the last NUL walked past
    long pieces = 0;  // the folder first, then the names
    for (;;) {
        const long nul = Position16(Find(buffer, passed + 1, kNul));
        std::string piece = Mid(buffer, passed + 1, nul - passed - 1);
        if (pieces == 0) {
            result.Folder = std::move(piece);
        } else {
            store(pieces, std::move(piece));
        }
        ++pieces;
        // The name after this NUL is the last when its NUL starts the closing pair;
        // finding neither counts as that too, and leaves a negative length.
        const long next = Position16(Find(buffer, nul + 1, kNul));
        const long pair = Position16(Find(buffer, nul + 1, kNulPair));
        if (next == pair) {
            store(pieces, Mid(buffer, nul + 1, next - nul - 1));
            result.FileCount = static_cast<std::int16_t>(pieces);
            break;
        }
        passed = nul;
    }
    for (long i = 0; i < result.FileCount; ++i) {
        result.FileNames.Append(std::move(slots[static_cast<std::size_t>(i)]));
    }
    return result;
}

}  // namespace Tavro_CommonDialog
