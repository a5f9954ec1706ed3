#include "common/com_apartment.h"

#include <windows.h>
#include <objbase.h>

#include "common/dll_function.h"

namespace common {
namespace {

// The class of the hidden window through which COM receives an apartment's
// calls: a hidden top-level window on older Windows, a message-only one elsewhere.
constexpr char kComWindowClass[] = "OleMainThreadWndClass";

// Only what was posted: input stays in the queue, where Wine would otherwise
// hand it to whatever window is under the pointer while ours is hidden.
void Serve(HWND window, std::optional<int>& quit) {
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        // PeekMessage hands out WM_QUIT whatever the filter.
        if (message.message == WM_QUIT) {
            quit = static_cast<int>(message.wParam);
        } else {
            DispatchMessageA(&message);
        }
    }
}

bool IsComWindow(HWND window) {
    char name[sizeof kComWindowClass + 1] = "";
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpA(name, kComWindowClass) == 0;
}

BOOL CALLBACK ServeIfComWindow(HWND window, LPARAM quit) {
    if (IsComWindow(window)) {
        Serve(window, *reinterpret_cast<std::optional<int>*>(quit));
    }
    return TRUE;
}

}  // namespace

bool EnterComApartment() {
    static const bool entered = [] {
        DllFunction<decltype(::CoInitializeEx)> coInitializeEx("ole32.dll", "CoInitializeEx");
        return coInitializeEx.get() &&
               SUCCEEDED(coInitializeEx.get()(nullptr,
                                              COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    return entered;
}

std::optional<int> ServeComCalls() {
    std::optional<int> quit;
    const DWORD thread = GetCurrentThreadId();
    EnumThreadWindows(thread, ServeIfComWindow, reinterpret_cast<LPARAM>(&quit));
    // Message-only windows of every process, this thread's among them.
    VisitWindows(
        [](HWND previous) {
            return FindWindowExA(HWND_MESSAGE, previous, kComWindowClass, nullptr);
        },
        [](HWND window) { return IsWindow(window) != FALSE; },
        [&](HWND window) {
            if (GetWindowThreadProcessId(window, nullptr) == thread) {
                Serve(window, quit);
            }
        });
    return quit;
}

}  // namespace common
