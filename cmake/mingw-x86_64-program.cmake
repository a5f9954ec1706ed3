# The same sources as a 64-bit program, from the compilers of the Win32 thread
# model, whose runtime needs nothing newer than Windows XP x64.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64.cmake)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
