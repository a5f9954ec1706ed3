# The shipped program: 32-bit Windows, from the compilers of the Win32 thread
# model. Their runtime imports nothing that Windows 2000 lacks; the POSIX
# thread model's (winpthreads) would import GetTickCount64 (Vista) and the
# vectored exception handler functions (XP).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
