// Tracing in debug mode: a modal message box per traced value.
#include "base/debug_box.h"

#include "base/shell_state.h"

void DebugBox(const char* text, const char* caption) {
    if (g_shell.debug) MessageBoxA(nullptr, text, caption, 0);
}
