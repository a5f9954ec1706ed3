#include "dialogs/Tavro_CommonDialog.h"

#include <commdlg.h>

#include "common/dll_function.h"

namespace Tavro_CommonDialog {

RequestRecord OpenFileRequest;
HWND DialogOwner = nullptr;
HHOOK DialogHook = nullptr;

namespace {

// The request record without the fields that Windows 2000 appended, which
// every version of the dialog accepts; mingw's OPENFILENAMEA always has them.
using Record = OPENFILENAME_NT4A;
static_assert(sizeof(Record) == (sizeof(void*) == 4 ? 76 : 136), "OPENFILENAME_NT4A's layout");

// A text the dialog only reads; an empty one is a null field, as in a new record.
const char* ReadOnlyText(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The dialog writes the two buffers in place: each is exactly as long as the
// length handed with it, and the string's own terminator ends it for the dialog.
Record LaidOut(RequestRecord& request, HWND owner) {
    Record record{};
    record.lStructSize = request.lStructSize;
    record.hwndOwner = owner;
    record.lpstrFilter = ReadOnlyText(request.lpstrFilter);
    record.nFilterIndex = request.nFilterIndex;
    record.lpstrFile = request.lpstrFile.data();
    record.nMaxFile = request.nMaxFile;
    record.lpstrFileTitle = request.lpstrFileTitle.data();
    record.nMaxFileTitle = request.nMaxFileTitle;
    record.lpstrInitialDir = ReadOnlyText(request.lpstrInitialDir);
    record.lpstrTitle = ReadOnlyText(request.lpstrTitle);
    record.Flags = request.Flags;
    return record;
}

void TakeBack(const Record& record, RequestRecord& request) {
    request.lStructSize = record.lStructSize;
    request.nFilterIndex = record.nFilterIndex;
    request.nMaxFile = record.nMaxFile;
    request.nMaxFileTitle = record.nMaxFileTitle;
    request.Flags = record.Flags;
    request.nFileOffset = record.nFileOffset;
    request.nFileExtension = record.nFileExtension;
}

// Non-zero when the user chose files; zero when the user cancelled, the
// dialog failed, or comdlg32 could not be loaded.
BOOL RunDialog(Record& record) {
    static common::DllFunction<BOOL WINAPI(Record*)> getOpenFileName("comdlg32.dll",
                                                                     "GetOpenFileNameA");
    return getOpenFileName.get() ? getOpenFileName.get()(&record) : FALSE;
}

// Why the last dialog returned nothing: 0 for a cancel.
DWORD ExtendedError() {
    static common::DllFunction<decltype(::CommDlgExtendedError)> commDlgExtendedError(
        "comdlg32.dll", "CommDlgExtendedError");
    return commDlgExtendedError.get() ? commDlgExtendedError.get()() : 0;
}

}  // namespace

OpenFileResult ShowOpenDialog(HWND owner, Boolean CenterOnOwner) {
    DialogOwner = owner;
    PrepareRequest(OpenFileRequest, sizeof(Record));
    Record record = LaidOut(OpenFileRequest, owner);

    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    // Not tied to this scope: the procedure removes itself at the first
    // activation, and a dialog that fails before it shows leaves the hook for
    // the next window activated on this thread.
    DialogHook =
        SetWindowsHookExA(WH_CBT, CenterOnOwner == kTrue ? CenterOnOwnerHook : CenterOnScreenHook,
                          instance, GetCurrentThreadId());

    const BOOL chosen = RunDialog(record);
    TakeBack(record, OpenFileRequest);
    return chosen ? SelectionOf(OpenFileRequest) : NoSelection(OpenFileRequest, ExtendedError());
}

}  // namespace Tavro_CommonDialog
