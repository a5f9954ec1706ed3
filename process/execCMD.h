#pragma once

#include <string>

namespace execCMD {

// Starts a command line as a new process and blocks until that process has
// ended, answering only the messages other programs send meanwhile. Returns at
// once when the process cannot be started; reports nothing.
void RunAndWait(const std::string& commandLine);

}  // namespace execCMD
