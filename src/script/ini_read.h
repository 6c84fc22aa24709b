// Reading the script: one string or integer key at a time, from ConfigPath.
#pragma once

// Reads a string key into `buffer` of `size` bytes; a value too long is cut to size - 1. An
// absent key (or no script at all) gives the default less its trailing blanks.
void ReadIniString(const char* section, const char* key, const char* def, char* buffer, int size);

// Reads an integer key: the decimal number at the start of its value, or the default.
int ReadIniInt(const char* section, const char* key, int def);
