#pragma once

#include <string>

namespace execCMD {

// Starts a command line as a new process and blocks until that process has
// ended, answering only the messages other programs send and the calls screen
// readers make meanwhile; a WM_QUIT met then is posted again afterwards.
// Returns 0 then, or at once Windows' error code when the process cannot be
// started.
unsigned long RunAndWait(const std::string& commandLine);

}  // namespace execCMD
