// The program with time stamps, for the bench only: the same objects as
// Kestrimond GUI.exe, linked with the function of each start-up step wrapped
// (ld --wrap=NAME sends the program's calls of NAME to __wrap_NAME, which
// reaches the original as __real_NAME). Once the window shows, it appends one
// line to the file named by KESTRIMOND_STEPS_LOG, each step's name and
// microseconds, and ends. Built 64-bit only, where a member function takes
// `this` as its first argument like any other.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "common/version_info.h"
#include "ui/Form1.h"
#include "visualstyle/common_controls.h"
#include "visualstyle/platform.h"

namespace {

// The steps in the order the program takes them; a step that another one
// calls is counted in its own line and not in the caller's.
enum Step {
    kLoaderAndRuntime,  // process start to the first step
    kDllSearch,
    kCommonControls,  // bound before any window: comctl32 and what it loads
    kVersionBlock,
    kWindowsVersion,
    kThemeLibrary,
    kProgramPath,
    kSeparator,
    kManifestRest,  // the bootstrap's file work and IsThemeActive
    kWindow,        // class, window, controls, fonts
    kConverterCheck,
    kShow,
    kOther,  // between the steps: DPI awareness, command line
    kSteps
};
constexpr const char* kNames[kSteps] = {"loader+runtime", "dll-search",      "common-controls",
                                        "version-block",  "windows-version", "theme-library",
                                        "program-path",   "separator",       "manifest-files",
                                        "window",         "converter-check", "show",
                                        "other"};

double spent[kSteps] = {};
double firstStep = 0;

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart * 1e6 / frequency;
}

// Runs `call` as `step`, and takes its time from the step that called it.
template <typename Call>
auto Timed(Step step, Step caller, Call call) {
    const double start = Now();
    if (firstStep == 0) {
        firstStep = start;
    }
    struct Done {
        Step step, caller;
        double start;
        ~Done() {
            const double took = Now() - start;
            spent[step] += took;
            if (caller != step) {
                spent[caller] -= took;
            }
        }
    } done{step, caller, start};
    return call();
}

// Microseconds from the process's creation to now, by the system clock.
double SinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(now) - ticks(created)) / 10.0;
}

void Report(double total) {
    double counted = 0;
    for (double s : spent) {
        counted += s;
    }
    spent[kOther] = total - counted;
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("KESTRIMOND_STEPS_LOG", path, MAX_PATH);
    if (FILE* log = std::fopen(path, "ab")) {
        for (int step = 0; step < kSteps; ++step) {
            std::fprintf(log, "%s=%.0f ", kNames[step], spent[step]);
        }
        std::fprintf(log, "total=%.0f\n", total);
        std::fclose(log);
    }
}

}  // namespace

using modXPStyle2::Platform;
using String = std::string;

extern "C" {

void __real__ZN6common27KeepDllSearchInSystemFolderEv();
void __wrap__ZN6common27KeepDllSearchInSystemFolderEv() {
    spent[kLoaderAndRuntime] = SinceProcessStart();
    Timed(kDllSearch, kDllSearch, [] { __real__ZN6common27KeepDllSearchInSystemFolderEv(); });
    firstStep -= spent[kLoaderAndRuntime];
}

void __real__ZN15common_controls10InitialiseERNS_6LoaderE(common_controls::Loader&);
void __wrap__ZN15common_controls10InitialiseERNS_6LoaderE(common_controls::Loader& loader) {
    Timed(kCommonControls, kCommonControls,
          [&] { __real__ZN15common_controls10InitialiseERNS_6LoaderE(loader); });
}

common::VersionInfo __real__ZN3App7VersionEv();
common::VersionInfo __wrap__ZN3App7VersionEv() {
    return Timed(kVersionBlock, kManifestRest, [] { return __real__ZN3App7VersionEv(); });
}

short __real__ZN11modXPStyle214IsWinXPOrLaterERNS_8PlatformE(Platform&);
short __wrap__ZN11modXPStyle214IsWinXPOrLaterERNS_8PlatformE(Platform& p) {
    return Timed(kWindowsVersion, kManifestRest,
                 [&] { return __real__ZN11modXPStyle214IsWinXPOrLaterERNS_8PlatformE(p); });
}

short __real__ZN11modXPStyle215HasThemeLibraryERNS_8PlatformE(Platform&);
short __wrap__ZN11modXPStyle215HasThemeLibraryERNS_8PlatformE(Platform& p) {
    return Timed(kThemeLibrary, kManifestRest,
                 [&] { return __real__ZN11modXPStyle215HasThemeLibraryERNS_8PlatformE(p); });
}

String __real__ZN3App7PathForERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(const String&);
String __wrap__ZN3App7PathForERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    const String& name) {
    return Timed(kProgramPath, kManifestRest, [&] {
        return __real__ZN3App7PathForERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(name);
    });
}

String
__real__ZN11modXPStyle220AddTrailingSeparatorERNS_8PlatformERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    Platform&, const String&);
String
__wrap__ZN11modXPStyle220AddTrailingSeparatorERNS_8PlatformERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    Platform& p, const String& path) {
    return Timed(kSeparator, kManifestRest, [&] {
        return __real__ZN11modXPStyle220AddTrailingSeparatorERNS_8PlatformERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
            p, path);
    });
}

short __real__ZN11modXPStyle212ApplyXPStyleERsS0_S0_(short&, short&, short&);
short __wrap__ZN11modXPStyle212ApplyXPStyleERsS0_S0_(short& a, short& b, short& c) {
    return Timed(kManifestRest, kManifestRest,
                 [&] { return __real__ZN11modXPStyle212ApplyXPStyleERsS0_S0_(a, b, c); });
}

bool __real__ZNK6common16FileSystemObject10FileExistsERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    const common::FileSystemObject*, const String&);
bool __wrap__ZNK6common16FileSystemObject10FileExistsERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
    const common::FileSystemObject* self, const String& path) {
    return Timed(kConverterCheck, kWindow, [&] {
        return __real__ZNK6common16FileSystemObject10FileExistsERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE(
            self, path);
    });
}

void __real__ZN5Form14LoadEP11HINSTANCE__(Form1*, HINSTANCE);
void __wrap__ZN5Form14LoadEP11HINSTANCE__(Form1* self, HINSTANCE instance) {
    Timed(kWindow, kWindow, [&] { __real__ZN5Form14LoadEP11HINSTANCE__(self, instance); });
}

void __real__ZN5Form14ShowERKSt8optionalINSt7__cxx1112basic_stringIwSt11char_traitsIwESaIwEEEE(
    Form1*, const std::optional<std::wstring>&);
void __wrap__ZN5Form14ShowERKSt8optionalINSt7__cxx1112basic_stringIwSt11char_traitsIwESaIwEEEE(
    Form1* self, const std::optional<std::wstring>& image) {
    Timed(kShow, kShow, [&] {
        __real__ZN5Form14ShowERKSt8optionalINSt7__cxx1112basic_stringIwSt11char_traitsIwESaIwEEEE(
            self, image);
    });
    Report(Now() - firstStep);
    ExitProcess(0);
}

}  // extern "C"
