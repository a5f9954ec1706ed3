#pragma once

namespace common {

// Makes every look at a file fail where a drive has no disc in it (an ejected
// CD, a card taken out, an unmounted image), instead of Windows asking in its
// critical-error box: for the whole process, so that the shell's own threads
// behind the open-file dialog are covered too. The bits the process had stay.
// Called first thing at start.
void FailCriticalErrors();

}  // namespace common
