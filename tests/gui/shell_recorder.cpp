// Stands in for the programs the shell opens documents and web addresses
// with: the tests register it for text files and http, and it appends to the
// file named by KESTRIMOND_RECORDER_LOG (inherited from the program that asked
// the shell) what it was given and where it was started:
//   arg=<its one argument>
//   cwd=<its working folder>
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    char log[MAX_PATH * 4] = "";
    const DWORD length = GetEnvironmentVariableA("KESTRIMOND_RECORDER_LOG", log, sizeof log);
    if (length == 0 || length >= sizeof log) {
        return 1;
    }
    char directory[MAX_PATH * 4] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    FILE* file = std::fopen(log, "ab");
    if (!file) {
        return 1;
    }
    std::fprintf(file, "arg=%s\ncwd=%s\n", argc > 1 ? argv[1] : "", directory);
    std::fclose(file);
    return 0;
}
