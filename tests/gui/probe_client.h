#pragma once

#include <map>
#include <string>

#include "tests/gui/harness.h"

namespace gui_test {

// The environment variable that tells the probe where to write its report.
constexpr char kProbeOut[] = "KESTRIMOND_PROBE_OUT";

// Loads the probe DLL into the running program (started with kProbeOut set
// to `reportPath`) and returns its report: each line's first word mapped to
// the rest, "font <id>" lines keyed by "font <id>". Empty when it failed.
std::map<std::string, std::string> ProbeProgram(const Program& program,
                                                const std::string& reportPath);

}  // namespace gui_test
