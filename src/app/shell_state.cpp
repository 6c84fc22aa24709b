// The one instance of the run-wide state.
#include "app/shell_state.h"

ShellState g_shell;
