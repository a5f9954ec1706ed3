#include "tests/gui/probe_client.h"

#include <sstream>

namespace gui_test {

namespace {

// Loads the probe into the program; loading it again changes nothing.
void LoadProbe(const Program& program) {
    const std::string dll = BuildFolder() + "\\probe.dll";
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, program.id());
    if (!process) {
        return;
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
}

}  // namespace

std::map<std::string, std::string> ProbeProgram(const Program& program,
                                                const std::string& reportPath) {
    LoadProbe(program);
    std::string text;
    WaitUntil([&] {
        text = ReadFile(reportPath);
        return text.size() >= 4 && text.compare(text.size() - 4, 4, "end\n") == 0;
    });
    return ReadReport(text);
}

std::map<std::string, std::string> ReadReport(const std::string& text) {
    std::map<std::string, std::string> report;
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

std::string DropFiles(const Program& program, const std::string& requestPath,
                      const std::vector<std::wstring>& paths) {
    // The names as the drop holds them: wide, each ended by a NUL, and one
    // more NUL at the end.
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path + L'\0';
    }
    list += L'\0';
    return AskProbe(
        program, requestPath,
        std::string(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t)));
}

std::string AskProbe(const Program& program, const std::string& requestPath,
                     const std::string& request) {
    LoadProbe(program);
    WriteFile(requestPath, request);
    const std::string events = "KestrimondProbeDrop." + std::to_string(program.id());
    HANDLE asked = CreateEventA(nullptr, FALSE, FALSE, (events + ".asked").c_str());
    HANDLE answered = CreateEventA(nullptr, FALSE, FALSE, (events + ".answered").c_str());
    SetEvent(asked);
    // Longer than the probe waits for the program to let go of the drop.
    const bool answer = WaitForSingleObject(answered, 2 * kPatience) == WAIT_OBJECT_0;
    CloseHandle(asked);
    CloseHandle(answered);
    return answer ? ReadFile(requestPath + ".answer") : "";
}

}  // namespace gui_test
