// How the run went: each command's result is noted in turn, and option /e turns them into the
// exit code that deployment tools read.
#pragma once

#include <windows.h>

// What a result means to a deployment tool: 0 and 1707 success; 3010 success with a restart
// needed; 1641 success with a restart started; anything else failure.
enum class Outcome { kSuccess, kRestartNeeded, kRestartStarted, kFailure };
Outcome OutcomeOf(DWORD result);

// The outcome in a few words, for the log.
const char* OutcomeText(Outcome outcome);

// Notes a result of the run: a command's, or the program's own (2: no script, 3: no start
// directory, 87: a bad option value). The first failure is kept.
void NoteResult(DWORD result);

// The run's exit code under /e: the first failing result; else 1641 when a restart was started,
// 3010 when one is needed; else 0.
DWORD RunExitCode();
