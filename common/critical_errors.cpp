#include "common/critical_errors.h"

#include <windows.h>

namespace common {

void FailCriticalErrors() {
    // Windows tells the old mode only by setting a new one.
    SetErrorMode(SetErrorMode(SEM_FAILCRITICALERRORS) | SEM_FAILCRITICALERRORS);
}

}  // namespace common
