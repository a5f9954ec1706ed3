#pragma once

#include <windows.h>

// A control that tells screen readers more than Windows' standard accessible
// object for it does: a name in words where its caption is a symbol, or that
// it is a link and how to follow it. The standard object answers the rest.
class AccessibleControl {
public:
    struct Look {
        // Replaces the name that the caption gives; nullptr keeps it.
        const wchar_t* name = nullptr;
        // A link, followed as a click on it is: its parent gets STN_CLICKED.
        bool link = false;
    };

    // Sent to a link's parent when a screen reader follows it: non-zero when
    // the parent carries out commands now. When it does not, the reader is
    // told the action failed.
    static constexpr UINT kTakesCommands = WM_APP + 3;

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
    Look look_;
    WNDPROC original_;
};
