#pragma once

#include <windows.h>

// Where the program's DLLs come from. Windows looks for a DLL outside its
// KnownDLLs list in the program's folder (and, on old systems, in the current
// folder) before its own: a file planted there under a system DLL's name,
// often in a downloads folder, would run inside the program.
namespace common {

// Makes every DLL that is loaded from now on come from the system folder.
// Called first thing at start, before the program loads any DLL itself.
void KeepDllSearchInSystemFolder();

// Loads a DLL of Windows by its full path in the system folder, so that no
// other file of that name is taken even where the search cannot be confined.
HMODULE LoadSystemLibrary(const char* fileName);

}  // namespace common
