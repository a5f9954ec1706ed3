#pragma once

#include <windows.h>

#include <functional>
#include <memory>

// A control that tells screen readers more than Windows' standard accessible
// object for it does: a name in words where its caption is a symbol, or that
// it is a link and how to follow it. The standard object answers the rest.
class AccessibleControl {
public:
    struct Look {
        // Replaces the name that the caption gives; nullptr keeps it.
        const wchar_t* name = nullptr;
        // Follows the link as a click would and says whether it did; empty for
        // a control that is no link.
        std::function<bool()> follow;
    };

    // Answers the control's accessibility requests from now on.
    AccessibleControl(HWND control, Look look);
    // Gives the control its own window procedure back.
    ~AccessibleControl();
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;

private:
    static LRESULT CALLBACK SubclassProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Answer(WPARAM wParam) const;

    HWND control_;
    // Shared with the objects handed out, which may outlive the subclass.
    std::shared_ptr<const Look> look_;
    WNDPROC original_;
};
