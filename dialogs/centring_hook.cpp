#include "dialogs/Tavro_CommonDialog.h"

#include "dialogs/centring.h"

namespace Tavro_CommonDialog {
namespace {

Rect WindowRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

// The events before the first activation pass unchanged, and none reaches the
// rest of the thread's hook chain.
template <typename Place>
LRESULT MoveAtFirstActivation(int code, WPARAM wParam, Place place) {
    if (code != HCBT_ACTIVATE) {
        return 0;
    }
    const auto window = reinterpret_cast<HWND>(wParam);
    const Point at = place(WindowRectOf(window));
    SetWindowPos(window, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UnhookWindowsHookEx(DialogHook);
    return 0;
}

}  // namespace

LRESULT CALLBACK CenterOnOwnerHook(int code, WPARAM wParam, LPARAM) {
    return MoveAtFirstActivation(code, wParam, [](const Rect& dialog) {
        return CentreOver(WindowRectOf(DialogOwner), dialog);
    });
}

LRESULT CALLBACK CenterOnScreenHook(int code, WPARAM wParam, LPARAM) {
    return MoveAtFirstActivation(code, wParam, [](const Rect& dialog) {
        return CentreOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), dialog);
    });
}

}  // namespace Tavro_CommonDialog
