// The one instance of the run-wide state.
#include "app/shell_state.h"

// Placed in .bss by name: with one section per object, the compiler would otherwise store all
// its zero bytes in the file (4 KB of a 16 KB budget).
ShellState g_shell __attribute__((section(".bss")));
