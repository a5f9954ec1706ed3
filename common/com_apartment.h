#pragma once

#include <windows.h>

#include <optional>

// COM on the window's thread, in a single-threaded apartment: the one that the
// shell's extensions, the open-file dialog and screen readers' calls expect.
// Entered at the first need and kept for the rest of the run, so that a
// program that never needs COM never loads it.
namespace common {

bool EnterComApartment();

// Carries out the calls that other programs (screen readers) have made into
// the apartment meanwhile: COM posts each to a hidden window of its own on
// this thread, and only those windows' messages are dispatched. Returns the
// exit code of a WM_QUIT met on the way, which the caller must post again.
std::optional<int> ServeComCalls();

// Visits each window that `next` finds, from next(nullptr) on, each found
// after the one before, as FindWindowEx finds them. A window that is gone
// (`exists` says so; another program's may go at any time) leads no further,
// so the scan starts again from the first.
template <typename Next, typename Exists, typename Visit>
void VisitWindows(Next next, Exists exists, Visit visit) {
    for (HWND previous = nullptr;;) {
        if (const HWND window = next(previous)) {
            visit(window);
            previous = window;
        } else if (previous && !exists(previous)) {
            previous = nullptr;
        } else {
            return;
        }
    }
}

}  // namespace common
