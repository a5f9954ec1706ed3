#include "process/execCMD.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "common/com_apartment.h"
#include "process/command_line.h"

namespace execCMD {
namespace {

// The start-up record of the shipped 32-bit program, and of the 64-bit build.
static_assert(sizeof(STARTUPINFOA) == (sizeof(void*) == 4 ? 68 : 104), "STARTUPINFOA's layout");
static_assert(kConverterCreationFlags == (NORMAL_PRIORITY_CLASS | CREATE_DEFAULT_ERROR_MODE),
              "Windows' own values");

// Blocks until the process has ended. Meanwhile the messages that other threads
// and programs send to this thread's windows are handled, so that a program
// that broadcasts (a change of settings, a document opened by DDE) is not held
// up by the conversion, and so are the calls that screen readers make through
// COM; everything else posted, input among it, waits in the queue. A wait that
// fails counts as the end.
void WaitForEnd(HANDLE process) {
    // No message is posted here: the peek answers sent messages, handles
    // Windows' own events (a change of the foreground window) and clears the
    // wake-up for what was posted, so that a click left in the queue does not
    // wake the wait again and again. It removes nothing.
    constexpr UINT kNoMessage = WM_APP + 0x3FFF;
    std::optional<int> quit;
    while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE,
                                     QS_SENDMESSAGE | QS_POSTMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, kNoMessage, kNoMessage, PM_NOREMOVE);
        if (const std::optional<int> met = common::ServeComCalls()) {
            quit = met;
        }
    }
    // The window was closed meanwhile: the program ends once the run is over.
    if (quit) {
        PostQuitMessage(*quit);
    }
}

}  // namespace

unsigned long RunAndWait(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // CreateProcessA may write into the command line, so hand it a copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    // The converter inherits our handles, environment and current directory.
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, kConverterCreationFlags,
                        nullptr, nullptr, &startup, &process)) {
        return GetLastError();
    }
    WaitForEnd(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

}  // namespace execCMD
