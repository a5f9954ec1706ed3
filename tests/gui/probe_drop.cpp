#include "tests/gui/probe_drop.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "tests/gui/probe_window.h"

namespace {

constexpr DWORD kPatience = 30000;  // ms for the program to let go of a drop

std::string ReadAll(const std::string& path) {
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return content;
    }
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    CloseHandle(file);
    return content;
}

void WriteAll(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

static_assert(sizeof(DROPFILES) == 20, "DROPFILES is laid out alike in both builds");

// As the shell makes it: movable memory of the receiving process, a DROPFILES
// header with wide names, then the names, each ended by a NUL, and one more NUL.
HGLOBAL MakeDrop(const std::string& names) {
    const std::size_t size = sizeof(DROPFILES) + names.size() + 2 * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    if (!header) {
        GlobalFree(memory);
        return nullptr;
    }
    header->pFiles = sizeof(DROPFILES);
    header->pt = POINT{20, 40};
    header->fNC = FALSE;
    header->fWide = TRUE;
    std::memcpy(header + 1, names.data(), names.size());
    GlobalUnlock(memory);
    return memory;
}

std::string Drop(const std::string& names) {
    HWND main = ProgramMainWindow();
    if (!main) {
        return "no window";
    }
    // The shell drops only on a window that accepts files.
    if ((GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0) {
        return "refused";
    }
    HGLOBAL drop = MakeDrop(names);
    if (!drop || !PostMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) {
        GlobalFree(drop);
        return "not posted";
    }
    // DragFinish frees the memory: then the program is done with the drop.
    for (DWORD waited = 0; waited < kPatience; waited += 20) {
        if (GlobalSize(drop) == 0) {
            return "finished";
        }
        Sleep(20);
    }
    return "kept";
}

DWORD WINAPI WatchForDrops(void*) {
    char request[MAX_PATH * 4] = "";
    GetEnvironmentVariableA("KESTRIMOND_PROBE_DROP", request, sizeof request);
    const std::string events = "KestrimondProbeDrop." + std::to_string(GetCurrentProcessId());
    HANDLE asked = CreateEventA(nullptr, FALSE, FALSE, (events + ".asked").c_str());
    HANDLE answered = CreateEventA(nullptr, FALSE, FALSE, (events + ".answered").c_str());
    while (WaitForSingleObject(asked, INFINITE) == WAIT_OBJECT_0) {
        const std::string asked = ReadAll(request);
        if (asked.rfind("dpi ", 0) == 0) {
            ChangeDpi(asked, std::string(request) + ".answer");
        } else {
            WriteAll(std::string(request) + ".answer", Drop(asked));
        }
        SetEvent(answered);
    }
    return 0;
}

}  // namespace

void StartDropWatcher() {
    if (GetEnvironmentVariableA("KESTRIMOND_PROBE_DROP", nullptr, 0) == 0) {
        return;
    }
    if (HANDLE thread = CreateThread(nullptr, 0, WatchForDrops, nullptr, 0, nullptr)) {
        CloseHandle(thread);
    }
}
