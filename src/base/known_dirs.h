// The platform places the program takes its own from: the temporary directory, the current
// directory and the file it was loaded from.
#pragma once

// Fills `out` (kPathSize) with the temporary directory less its last character (its trailing
// separator); empty when the platform gives none, or one too long for the array.
void FetchTempDir(char* out);

// Fills `out` (kPathSize) with the current directory without a trailing separator; empty when
// it does not fit the array.
void FetchCurrentDir(char* out);

// Fills `out` (kPathSize) with the full path of the file the running program was loaded from,
// whatever its command line says. False, and `out` empty, when the path does not fit the array.
bool FetchOwnPath(char* out);
