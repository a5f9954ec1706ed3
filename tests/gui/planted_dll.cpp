// Stands in for a DLL planted under the name of one that Windows loads into
// the program (the tests copy it as uxtheme.dll): whenever it is loaded, it
// leaves a file "<its own path>.loaded" beside itself. It does not export the
// IsThemeActive of the real uxtheme.dll. It stands in, too, for a program
// that hooks every window made on the desktop and refuses some, as security
// programs may.
#include <windows.h>

// A WH_CBT hook for every thread that refuses the program's main window.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam) {
    char windowClass[32] = "";
    if (code == HCBT_CREATEWND &&
        GetClassNameA(reinterpret_cast<HWND>(wParam), windowClass, sizeof windowClass) > 0 &&
        lstrcmpA(windowClass, "KestrimondGUI.Form1") == 0) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH + 16];
        const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            lstrcatA(path, ".loaded");
            HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (marker != INVALID_HANDLE_VALUE) {
                CloseHandle(marker);
            }
        }
    }
    return TRUE;
}
