// Which DPI awareness the program declares on each Windows. Wine 8 refuses
// version 2, so only this test shows that Windows 10 1703 and later get it.
#include "ui/dpi.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
