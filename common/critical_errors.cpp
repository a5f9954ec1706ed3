#include "common/critical_errors.h"

#include "common/dll_function.h"

namespace common {
namespace {

DllFunction<BOOL WINAPI(DWORD, DWORD*)>& SetThreadErrorModeFunction() {
    static DllFunction<BOOL WINAPI(DWORD, DWORD*)> function("kernel32.dll", "SetThreadErrorMode");
    return function;
}

}  // namespace

CriticalErrorsFailed::CriticalErrorsFailed() {
    if (auto* setThreadErrorMode = SetThreadErrorModeFunction().get()) {
        threadOnly_ = setThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_) != FALSE;
        if (threadOnly_) {
            setThreadErrorMode(previous_ | SEM_FAILCRITICALERRORS, nullptr);
            return;
        }
    }
    // Windows only tells the old mode by setting a new one.
    previous_ = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
}

CriticalErrorsFailed::~CriticalErrorsFailed() {
    if (threadOnly_) {
        SetThreadErrorModeFunction().get()(previous_, nullptr);
    } else {
        SetErrorMode(previous_);
    }
}

}  // namespace common
