#pragma once

#include <windows.h>

#include "dialogs/open_file_result.h"
#include "dialogs/request.h"

// The system's open-file dialog, placed by a one-shot thread hook.
namespace Tavro_CommonDialog {

// The request for the next dialog. A caller stores lpstrFilter, lpstrTitle and
// lpstrInitialDir, and may store an initial file name in lpstrFile; the rest
// is ShowOpenDialog's, except nFilterIndex, which only the dialog writes.
extern RequestRecord OpenFileRequest;

// The centring hook's state: written before each dialog, read by the hook.
extern HWND DialogOwner;
extern HHOOK DialogHook;

// Shows the dialog modally for `owner`, centred over it when CenterOnOwner is
// exactly kTrue and on the screen otherwise, and returns what the user chose;
// a failed dialog counts as cancelled. Throws DialogError when the selection
// does not fit the result.
OpenFileResult ShowOpenDialog(HWND owner, Boolean CenterOnOwner);

// WH_CBT procedures for the calling thread. At the thread's first
// HCBT_ACTIVATE they move the window being activated, keeping its size, and
// remove DialogHook; they answer every event with 0.
LRESULT CALLBACK CenterOnOwnerHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CenterOnScreenHook(int code, WPARAM wParam, LPARAM lParam);

}  // namespace Tavro_CommonDialog
