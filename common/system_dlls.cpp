#include "common/system_dlls.h"

#include <string>

#include "common/ansi_text.h"
#include "common/app_path.h"
#include "common/dll_function.h"

namespace common {
namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which the headers for Windows 2000 lack.
constexpr DWORD kSearchSystemFolder = 0x00000800;

}  // namespace

void KeepDllSearchInSystemFolder() {
    // Windows 8 on, and 7 and Vista with update KB2533623.
    static DllFunction<BOOL WINAPI(DWORD)> setDefaultDllDirectories("kernel32.dll",
                                                                    "SetDefaultDllDirectories");
    if (setDefaultDllDirectories.get() && setDefaultDllDirectories.get()(kSearchSystemFolder)) {
        return;
    }
    // Elsewhere at least the current folder leaves the search (XP SP1 on); the
    // program's own loads name the system folder in full.
    static DllFunction<BOOL WINAPI(LPCSTR)> setDllDirectory("kernel32.dll", "SetDllDirectoryA");
    if (setDllDirectory.get()) {
        setDllDirectory.get()("");
    }
}

HMODULE LoadSystemLibrary(const char* fileName) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    return LoadLibraryA(JoinPath(std::string(folder, length), fileName, IsAnsiLeadByte).c_str());
}

}  // namespace common
