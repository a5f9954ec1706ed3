#pragma once

#include <windows.h>

// The DPI the window is drawn for. Windows 10 version 1703 and later let each
// window follow the DPI of the monitor it is on (per-monitor awareness,
// version 2) and tell it when that changes; earlier systems have one DPI for
// the whole session.
namespace dpi {

// The messages of a DPI change (10 version 1703 on), which the headers for
// Windows 2000 lack.
constexpr UINT kDpiChanged = 0x02E0;        // WM_DPICHANGED
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE

using SetContextFunction = BOOL WINAPI(HANDLE);  // SetProcessDpiAwarenessContext
using SetAwareFunction = BOOL WINAPI();          // SetProcessDPIAware

enum class Awareness { Unaware, System, PerMonitorV2 };

// Declares per-monitor awareness version 2 where Windows takes it (10 version
// 1703 on), else system awareness (Vista on); nullptr stands for a function
// Windows lacks.
Awareness Declare(SetContextFunction* setContext, SetAwareFunction* setAware);

// Declares the process's awareness with Windows' own functions. Called first
// thing at start, before any window, box or common control, as Windows fixes
// the awareness at the first. Not in a manifest: an embedded one would hide
// the one the program writes beside itself for visual styles.
void DeclareForProcess();

// The logical pixels per inch of the screen: the session's DPI.
int OfScreen();

// The DPI of the monitor the window is on, where Windows tells it (10 version
// 1607 on); elsewhere the screen's.
int OfWindow(HWND window);

// Whether the window is per-monitor aware, and so lays itself out at each
// change of its DPI; elsewhere Windows stretches it, and the messages of a
// change, which it may still send, are to be ignored.
bool FollowsMonitor(HWND window);

// The size of a window of `style` around a client area of `client` pixels,
// with the title bar and borders that Windows draws at `dpi` where it tells
// them (10 version 1607 on); elsewhere those of the screen's DPI.
SIZE FrameAround(SIZE client, DWORD style, DWORD exStyle, int dpi);

}  // namespace dpi
