#pragma once

// The probe's second errand: when the program was started with
// KESTRIMOND_PROBE_DROP naming a file, a thread waits for the event
// "KestrimondProbeDrop.<process id>.asked", turns the list of wide names in
// that file into a drop on the main window, writes its answer to the same path
// with ".answer" added and sets "KestrimondProbeDrop.<process id>.answered"
// (see DropFiles in probe_client.h). A request that starts with "dpi " asks
// for a change of DPI instead (ChangeDpi in probe_window.h).
void StartDropWatcher();
