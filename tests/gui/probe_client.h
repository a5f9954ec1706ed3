#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/gui/harness.h"

namespace gui_test {

// The environment variable that tells the probe where to write its report.
constexpr char kProbeOut[] = "KESTRIMOND_PROBE_OUT";

// The environment variable that names the file through which a test asks the
// probe for a drop.
constexpr char kProbeDrop[] = "KESTRIMOND_PROBE_DROP";

// Loads the probe DLL into the running program (started with kProbeOut set
// to `reportPath`) and returns its report: each line's first word mapped to
// the rest, "font <id>" lines keyed by "font <id>". Empty when it failed.
std::map<std::string, std::string> ProbeProgram(const Program& program,
                                                const std::string& reportPath);

// The probe's report in `text`, read as ProbeProgram reads it.
std::map<std::string, std::string> ReadReport(const std::string& text);

// Hands the probe in the program (started with kProbeDrop set to
// `requestPath`) a request and returns its answer; "" when it did not answer.
std::string AskProbe(const Program& program, const std::string& requestPath,
                     const std::string& request);

// Drops `paths` on the program's main window (the program started with
// kProbeDrop set to `requestPath`) the way the shell does: the probe, loaded
// into the program, builds the drop in the program's memory and posts
// WM_DROPFILES, and only to a window that accepts files. Returns the probe's
// answer: "finished" once the program has let go of the drop (DragFinish),
// "refused" when the window does not accept files, "kept" when the program
// held on to the drop, "" when the probe did not answer.
std::string DropFiles(const Program& program, const std::string& requestPath,
                      const std::vector<std::wstring>& paths);

}  // namespace gui_test
