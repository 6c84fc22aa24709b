// Tracing in debug mode: a modal message box per traced value.
#pragma once

#include <windows.h>

// Shows `text` under `caption` with an OK button when the debug flag is set; else does nothing.
void DebugBox(const char* text, const char* caption);

// In debug mode, shows `subject` (up to 259 characters are shown) and, on a line of its own,
// "Error N: " with the system's words for `error`.
void DebugBoxError(const char* subject, DWORD error, const char* caption);
