// The two platform directories the program takes its places from: the temporary directory and
// the current directory.
#pragma once

// Fills `out` (kPathSize) with the temporary directory less its last character (its trailing
// separator); empty when the platform gives none, or one too long for the array.
void FetchTempDir(char* out);

// Fills `out` (kPathSize) with the current directory without a trailing separator; empty when
// it does not fit the array.
void FetchCurrentDir(char* out);
