// Command types 2 to 5: registry keys and string values below HKEY_LOCAL_MACHINE.
#pragma once

// Type 2: creates the key REGKEY and any missing levels above it.
void CreateRegKey(const char* section);

// Type 3: deletes the key REGKEY (the platform decides about a key with subkeys).
void DeleteRegKey(const char* section);

// Type 4: sets the string value REGVALUENAME (empty: the default value) of REGKEY, created if
// needed, to REGVALUE with its macros expanded.
void SetRegValue(const char* section);

// Type 5: deletes the value REGVALUENAME of the existing key REGKEY.
void DeleteRegValue(const char* section);
