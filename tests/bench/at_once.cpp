// The end of the bench's builds that end before their first line
// (at_once_program, at_once_plain_floor): linked with WinMain wrapped (ld
// --wrap), the runtime's call of WinMain comes here once the loader, the
// runtime's start-up and the static initialisers are done.
#include <windows.h>

extern "C" int WINAPI __real_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

extern "C" int WINAPI __wrap_WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Taking the real one's address keeps it, and all it calls, in the link
    // despite --gc-sections, so that the image stays the real program's.
    volatile auto keep = &__real_WinMain;
    static_cast<void>(keep);
    ExitProcess(0);
}
