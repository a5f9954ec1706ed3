#include "tests/gui/probe_client.h"

#include <sstream>

namespace gui_test {

std::map<std::string, std::string> ProbeProgram(const Program& program,
                                                const std::string& reportPath) {
    std::map<std::string, std::string> report;
    const std::string dll = BuildFolder() + "\\probe.dll";
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, program.id());
    if (!process) {
        return report;
    }
    // LoadLibraryA lies at the same address in every process of the session,
    // so a remote thread can start right there with the DLL's path.
    void* remote =
        VirtualAllocEx(process, nullptr, dll.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    WriteProcessMemory(process, remote, dll.c_str(), dll.size() + 1, nullptr);
    const FARPROC loadLibrary = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
    HANDLE thread = CreateRemoteThread(
        process, nullptr, 0,
        reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)()>(loadLibrary)), remote,
        0, nullptr);
    if (thread) {
        WaitForSingleObject(thread, kPatience);
        CloseHandle(thread);
    }
    CloseHandle(process);

    std::string text;
    WaitUntil([&] {
        text = ReadFile(reportPath);
        return text.size() >= 4 && text.compare(text.size() - 4, 4, "end\n") == 0;
    });
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "font" || key == "icon") {
            std::string which;
            words >> which;
            key += " " + which;
        }
        std::string rest;
        std::getline(words >> std::ws, rest);
        report[key] = rest;
    }
    return report;
}

}  // namespace gui_test
