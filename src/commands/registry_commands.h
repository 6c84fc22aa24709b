// Command types 2 to 5: registry keys and string values below HKEY_LOCAL_MACHINE.
#pragma once

#include <windows.h>

// Each returns the command's result: 0 when the state it asks for holds afterwards (a key or
// value that is gone already counts as deleted), else the Windows error of the call that failed.

// Type 2: creates the key REGKEY and any missing levels above it.
DWORD CreateRegKey(const char* section);

// Type 3: deletes the key REGKEY (the platform decides about a key with subkeys).
DWORD DeleteRegKey(const char* section);

// Type 4: sets the string value REGVALUENAME (empty: the default value) of REGKEY, created if
// needed, to REGVALUE with its macros expanded.
DWORD SetRegValue(const char* section);

// Type 5: deletes the value REGVALUENAME of the existing key REGKEY.
DWORD DeleteRegValue(const char* section);
