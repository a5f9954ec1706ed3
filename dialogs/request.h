#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/open_file_result.h"

namespace Tavro_CommonDialog {

// OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_CREATEPROMPT | OFN_EXPLORER |
// OFN_NODEREFERENCELINKS | OFN_LONGNAMES
constexpr std::uint32_t kDialogFlags = 0x382204;
// The blanks of the file title buffer, and what the file buffer grows by at
// each dialog (2047 blanks and a NUL).
constexpr std::size_t kFileTitleLength = 2048;
constexpr std::size_t kFileBufferGrowth = 2048;

// The open-file request as the module keeps it from one dialog to the next:
// the fields of the system's request record that the program fills or reads,
// each text held whole, with the NULs and blanks the dialog left in it. The
// Windows side lays it out as the system's record for each dialog and takes
// every field back afterwards. The fields the program never sets are left out.
struct RequestRecord {
    std::uint32_t lStructSize = 0;
    // Description and pattern texts, each followed by a NUL, and one more NUL.
    std::string lpstrFilter;
    // Written by the dialog only: the filter it showed last, from 1.
    std::uint32_t nFilterIndex = 0;
    std::string lpstrFile;
    std::uint32_t nMaxFile = 0;
    std::string lpstrFileTitle;
    std::uint32_t nMaxFileTitle = 0;
    std::string lpstrInitialDir;
    std::string lpstrTitle;
    std::uint32_t Flags = 0;
    std::uint16_t nFileOffset = 0;
    std::uint16_t nFileExtension = 0;
};

// Completes the request for the next dialog: the record size, a file title
// buffer of blanks, the file buffer grown behind whatever the field holds
// (so the previous selection is offered again), and the program's flags,
// replacing whatever was stored.
void PrepareRequest(RequestRecord& request, std::uint32_t recordSize);

// The result of a dialog that returned a selection: a file title means a
// single file, none a multiple selection. Throws DialogError when the file
// buffer does not fit the result.
OpenFileResult SelectionOf(const RequestRecord& request);

// The dialog's reason for returning no selection (CommDlgExtendedError) when
// the selection was longer than the file buffer.
constexpr std::uint32_t kBufferTooSmall = 0x3003;  // FNERR_BUFFERTOOSMALL

// The result of a dialog that was cancelled or failed, for the reason
// `extendedError` (0 for a cancel). A cancelled dialog leaves the last
// selection for the next one. One whose selection did not fit has written the
// length it needed over the buffer's first two bytes, which the next dialog
// would take for its file name and may refuse, and every later one with it:
// the buffer starts afresh, as at the first dialog.
OpenFileResult NoSelection(RequestRecord& request, std::uint32_t extendedError);

}  // namespace Tavro_CommonDialog
