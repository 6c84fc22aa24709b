// Tracing in debug mode: a modal message box per traced value.
#pragma once

// Shows `text` under `caption` with an OK button when the debug flag is set; else does nothing.
void DebugBox(const char* text, const char* caption);
