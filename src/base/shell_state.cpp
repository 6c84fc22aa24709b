// The one instance of the run-wide state.
#include "base/shell_state.h"

ShellState g_shell;
