// What the run tells outside the script's own effects: the log's opening and closing lines, and
// the program's own failures, which option /e turns into the exit code.
#pragma once

#include <windows.h>

// Opens the log named with /l:; one that cannot be opened never stops the run (in debug mode a
// box says why).
void OpenLog();

// Notes the program's own failures before the first command (no start directory: 3; no script:
// 2) and writes the log's header: date and time, version, the command line as received, the
// start directory, the script and the options in force (`upperOptions`: the arguments,
// upper-cased, their values blanked).
void ReportRunStart(bool located, const char* upperOptions);

// The restart request, written and put on the disk before it is made; then what came of it.
void ReportRestartRequest();
void ReportRestart(DWORD error);

// What came of the /x step (DeleteNamedFile's result).
void ReportDeletion(DWORD result);

// The run's last line, with its exit code; the log is then closed.
void ReportRunEnd(DWORD exitCode);
