#pragma once

#include <windows.h>

namespace common {

// While it lives, the program's own looks at files fail where a drive has no
// disc in it (an ejected CD, a card taken out, an unmounted image), instead of
// Windows asking in its critical-error box. Only for this thread where Windows
// can do that (7 on); before, for the process, and put back at the end, since
// the converter inherits the process's setting.
class CriticalErrorsFailed {
public:
    CriticalErrorsFailed();
    ~CriticalErrorsFailed();
    CriticalErrorsFailed(const CriticalErrorsFailed&) = delete;
    CriticalErrorsFailed& operator=(const CriticalErrorsFailed&) = delete;

private:
    bool threadOnly_ = false;
    DWORD previous_ = 0;
};

}  // namespace common
