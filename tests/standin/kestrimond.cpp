// A stand-in for the converter, for the tests and for trying the program out.
// It converts nothing: it appends to the log file named by KESTRIMOND_STANDIN_LOG
// a record of how it was started (its error mode among it), then, if asked
// to, waits, and exits with the code in KESTRIMOND_STANDIN_EXIT (0 when unset).
//
//   KESTRIMOND_STANDIN_LOG    log file; without it nothing is recorded
//   KESTRIMOND_STANDIN_MARK   any text, recorded to show the environment was inherited
//   KESTRIMOND_STANDIN_SLEEP  milliseconds to sleep before exiting
//   KESTRIMOND_STANDIN_HOLD   a file path: waits (60 s at most) until that file exists
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Variable(const char* name) {
    char value[32768];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void Record(const std::string& logPath) {
    char directory[MAX_PATH * 4] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    // Windows tells the error mode only by setting another.
    const UINT errorMode = SetErrorMode(0);
    if (FILE* log = std::fopen(logPath.c_str(), "ab")) {
        std::fprintf(log, "cmdline=%s\ncwd=%s\nmark=%s\nmode=%u\nend\n", GetCommandLineA(),
                     directory, Variable("KESTRIMOND_STANDIN_MARK").c_str(), errorMode);
        std::fclose(log);
    }
}

void Hold(const std::string& releasePath) {
    for (int waited = 0; waited < 60000; waited += 50) {
        if (GetFileAttributesA(releasePath.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return;
        }
        Sleep(50);
    }
}

}  // namespace

int main() {
    const std::string log = Variable("KESTRIMOND_STANDIN_LOG");
    if (!log.empty()) {
        Record(log);
    }
    if (const std::string sleep = Variable("KESTRIMOND_STANDIN_SLEEP"); !sleep.empty()) {
        Sleep(static_cast<DWORD>(std::atoi(sleep.c_str())));
    }
    if (const std::string hold = Variable("KESTRIMOND_STANDIN_HOLD"); !hold.empty()) {
        Hold(hold);
    }
    const std::string code = Variable("KESTRIMOND_STANDIN_EXIT");
    return code.empty() ? 0 : std::atoi(code.c_str());
}
