// Times how long programs take from their process start to a visible main
// window, or with --exit to the end of their process.
// Usage: start_timer [--exit] RUNS PROGRAM...
// Starts each program RUNS times, alternating between them, and ends each run
// with TerminateProcess as soon as the window shows; with --exit a run counts
// only when the program ends by itself with exit code 0. Prints for each
// program the median and minimum times in milliseconds, then the ratio of the
// last program's median and minimum to each other program's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[8] = "";
    if (owner == search.processId && IsWindowVisible(window) &&
        GetWindowTextA(window, title, sizeof title) > 0) {
        search.found = true;
        return FALSE;
    }
    return TRUE;
}

// A program started, and the performance counter just before its start.
struct Run {
    PROCESS_INFORMATION process;
    LARGE_INTEGER start;
};

bool Start(const std::string& program, Run& run) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    QueryPerformanceCounter(&run.start);
    return CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &run.process) != FALSE;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * (now.QuadPart - start.QuadPart) / frequency.QuadPart;
}

void End(const Run& run) {
    TerminateProcess(run.process.hProcess, 0);
    WaitForSingleObject(run.process.hProcess, 5000);
    CloseHandle(run.process.hThread);
    CloseHandle(run.process.hProcess);
}

// Milliseconds from CreateProcess to the first visible, titled window; -1 on failure.
double TimeToWindow(const std::string& program) {
    Run run{};
    if (!Start(program, run)) {
        return -1;
    }
    double elapsed = -1;
    for (;;) {
        Search search{run.process.dwProcessId, false};
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        const double ms = MillisecondsSince(run.start);
        if (search.found) {
            elapsed = ms;
            break;
        }
        if (ms > 30000 || WaitForSingleObject(run.process.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        Sleep(1);
    }
    End(run);
    return elapsed;
}

// Milliseconds from CreateProcess to the process's end with exit code 0; -1 on failure.
double TimeToExit(const std::string& program) {
    Run run{};
    if (!Start(program, run)) {
        return -1;
    }
    const bool ended = WaitForSingleObject(run.process.hProcess, 30000) == WAIT_OBJECT_0;
    const double ms = MillisecondsSince(run.start);
    DWORD exitCode = 1;
    const bool succeeded =
        ended && GetExitCodeProcess(run.process.hProcess, &exitCode) && exitCode == 0;
    End(run);
    return succeeded ? ms : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool toExit = argc > 1 && std::strcmp(argv[1], "--exit") == 0;
    if (toExit) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: start_timer [--exit] RUNS PROGRAM...\n");
        return 2;
    }
    const auto measure = toExit ? TimeToExit : TimeToWindow;
    const int runs = std::atoi(argv[1]);
    if (runs < 1) {
        std::fprintf(stderr, "RUNS must be a positive number\n");
        return 2;
    }
    std::vector<std::string> programs(argv + 2, argv + argc);
    std::vector<std::vector<double>> times(programs.size());
    // One start of each first, so that neither pays for a cold system.
    for (const std::string& program : programs) {
        measure(program);
    }
    for (int run = 0; run < runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const double ms = measure(programs[i]);
            if (ms < 0) {
                std::fprintf(stderr,
                             toExit ? "%s did not end with exit code 0\n" : "%s showed no window\n",
                             programs[i].c_str());
                return 1;
            }
            times[i].push_back(ms);
        }
    }
    std::vector<double> medians;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        std::sort(times[i].begin(), times[i].end());
        medians.push_back(times[i][times[i].size() / 2]);
        std::printf("%-40s median %7.1f ms (min %.1f, max %.1f, %d runs)\n", programs[i].c_str(),
                    medians[i], times[i].front(), times[i].back(), runs);
    }
    const std::size_t last = programs.size() - 1;
    for (std::size_t i = 0; i < last; ++i) {
        std::printf("ratio %s / %s: median %.2f, minimum %.2f\n", programs[last].c_str(),
                    programs[i].c_str(), medians[last] / medians[i],
                    times[last].front() / times[i].front());
    }
    return 0;
}
