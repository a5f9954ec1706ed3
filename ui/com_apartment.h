#pragma once

// COM on the window's thread, in a single-threaded apartment: the one that the
// shell's extensions, the open-file dialog and screen readers' calls expect.
// Entered at the first need and kept for the rest of the run, so that a
// program that never needs COM never loads it.
bool EnterComApartment();
