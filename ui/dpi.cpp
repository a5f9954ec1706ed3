#include "ui/dpi.h"

#include "common/dll_function.h"

namespace dpi {

Awareness Declare(SetContextFunction* setContext, SetAwareFunction* setAware) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2. Not version 1 (8.1), which
    // leaves the title bar, message boxes and dialogs unscaled.
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    if (setContext && setContext(perMonitorV2)) {
        return Awareness::PerMonitorV2;
    }
    if (setAware && setAware()) {
        return Awareness::System;
    }
    return Awareness::Unaware;
}

void DeclareForProcess() {
    static common::DllFunction<SetContextFunction> setContext("user32.dll",
                                                              "SetProcessDpiAwarenessContext");
    static common::DllFunction<SetAwareFunction> setAware("user32.dll", "SetProcessDPIAware");
    Declare(setContext.get(), setAware.get());
}

int OfScreen() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int OfWindow(HWND window) {
    static common::DllFunction<UINT WINAPI(HWND)> getDpiForWindow("user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpiForWindow.get() ? getDpiForWindow.get()(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : OfScreen();
}

bool FollowsMonitor(HWND window) {
    // 10 version 1607 on; the context is an opaque handle.
    static common::DllFunction<HANDLE WINAPI(HWND)> getContext("user32.dll",
                                                               "GetWindowDpiAwarenessContext");
    static common::DllFunction<int WINAPI(HANDLE)> getAwareness(
        "user32.dll", "GetAwarenessFromDpiAwarenessContext");
    constexpr int kPerMonitorAware = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
    return getContext.get() && getAwareness.get() &&
           getAwareness.get()(getContext.get()(window)) == kPerMonitorAware;
}

SIZE FrameAround(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    static common::DllFunction<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)> adjustForDpi(
        "user32.dll", "AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    if (!adjustForDpi.get() || !adjustForDpi.get()(&frame, style, FALSE, exStyle, dpi)) {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace dpi
