// The platform's own words for a Windows error number, as `net helpmsg` gives them.
#pragma once

#include <windows.h>

// Appends the system's text for `code` to `out` (of `size` bytes), without its line end; appends
// nothing when the system has no text for it. Returns the new length.
int AppendSystemMessage(char* out, int size, DWORD code);
