// The program's own entry: options, start directory, the script, and the final steps.
#pragma once

#include <windows.h>

// Runs the whole program; always returns 0, the process's exit code. The argument text is not
// used: the full command line is fetched from the platform.
int TarnwickMain(HINSTANCE instance, HINSTANCE previous, const char* args, int showCommand);
