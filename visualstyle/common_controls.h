#pragma once

#include <optional>

// Version 6 of the common controls, which the manifest the program writes
// binds from the next start on. Windows XP then sends the Button, Edit and
// Static classes (those of message boxes too) to comctl32 version 6, whose
// classes exist only once that DLL is loaded and initialised: a window made
// before would not be made at all. Vista and later load it at the first such
// window by themselves.
namespace common_controls {

// What Windows offers for it, behind an interface for the tests.
class Loader {
public:
    virtual ~Loader() = default;
    // Whether the process's activation context (its manifest) sends the DLL to
    // a side-by-side copy; nothing where Windows cannot tell (2000).
    virtual std::optional<bool> Redirects(const wchar_t* dll) = 0;
    // Loads the DLL by its bare name, so that the redirection chooses the copy,
    // keeps it for the run and registers its standard classes.
    virtual void LoadAndInitialise(const char* dll) = 0;
};

// Binds the side-by-side common controls where the activation context
// redirects them, and does nothing where it does not: then the controls come
// from user32, and a comctl32.dll loaded by name could be one planted in a
// folder searched before the system's. Called first thing at start, before
// any window or box.
void Initialise(Loader& loader);

// Windows' own.
Loader& SystemLoader();

}  // namespace common_controls
