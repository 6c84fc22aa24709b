// Command type 1: start a program and wait for it, optionally under the status window and
// until a hand-off installer's window has closed.
#pragma once

#include <windows.h>

// Carries out the type 1 command in `section`; returns when the command has finished, with the
// started program's exit code, or the Windows error that kept it from starting (0 when the
// command names no program).
DWORD RunProgram(const char* section);
