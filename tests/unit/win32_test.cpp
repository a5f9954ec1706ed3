// What the program asks of Windows where Wine cannot show it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/com_apartment.h"
#include "ui/dpi.h"

namespace {

std::string calls;
BOOL contextTaken = FALSE;

BOOL WINAPI SetContext(HANDLE context) {
    calls += "context " + std::to_string(reinterpret_cast<INT_PTR>(context)) + ";";
    return contextTaken;
}

BOOL WINAPI SetAware() {
    calls += "system;";
    return TRUE;
}

// Wine 8 refuses version 2, so only this shows that Windows 10 1703 and later get it.
TEST(DpiAwareness, PerMonitorVersion2WhereWindowsTakesItElseSystemAware) {
    using dpi::Awareness;
    const struct {
        dpi::SetContextFunction* setContext;
        BOOL taken;
        dpi::SetAwareFunction* setAware;
        Awareness awareness;
        std::string calls;
    } cases[] = {
        {SetContext, TRUE, SetAware, Awareness::PerMonitorV2, "context -4;"},    // 10 1703 on
        {SetContext, FALSE, SetAware, Awareness::System, "context -4;system;"},  // refused
        {nullptr, FALSE, SetAware, Awareness::System, "system;"},                // Vista to 10 1607
        {nullptr, FALSE, nullptr, Awareness::Unaware, ""},                       // 2000, XP
    };
    for (const auto& c : cases) {
        calls.clear();
        contextTaken = c.taken;
        EXPECT_EQ(dpi::Declare(c.setContext, c.setAware), c.awareness) << c.calls;
        EXPECT_EQ(calls, c.calls);
    }
}

// Another program's COM window that goes while the scan stands on it must not
// end the scan before it reaches the program's own.
TEST(VisitWindows, AScanWhoseWindowWentStartsAgain) {
    const auto window = [](INT_PTR n) { return reinterpret_cast<HWND>(n); };
    std::vector<HWND> windows{window(1), window(2), window(3)};
    std::vector<HWND> visited;
    common::VisitWindows(
        [&](HWND previous) -> HWND {
            if (!previous) {
                return windows.front();
            }
            // FindWindowEx finds nothing after a window that is gone.
            const auto at = std::find(windows.begin(), windows.end(), previous);
            return at == windows.end() || at + 1 == windows.end() ? nullptr : *(at + 1);
        },
        [&](HWND w) { return std::find(windows.begin(), windows.end(), w) != windows.end(); },
        [&](HWND w) {
            visited.push_back(w);
            if (w == window(1)) {
                windows.erase(windows.begin());
            }
        });
    EXPECT_EQ(visited, (std::vector<HWND>{window(1), window(2), window(3)}));
}

}  // namespace
