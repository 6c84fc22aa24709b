// Command types 6, 7 and 11: make a directory, remove one, copy a file.
#pragma once

#include <windows.h>

// Each returns the command's result: 0 when the state it asks for holds afterwards, else the
// Windows error of the call that failed.

// Type 6: makes the directory DIRNAME (macros expanded); its parent must exist. One that is
// there already counts as made.
DWORD CreateDir(const char* section);

// Type 7: removes the directory DIRNAME (macros expanded) if it is empty. One that is gone
// already counts as removed.
DWORD RemoveDir(const char* section);

// Type 11: copies SOURCEFILENAME onto DESTFILENAME (both expanded), replacing a writable file
// there; the copy takes over the source's attributes.
DWORD CopyFileCmd(const char* section);
