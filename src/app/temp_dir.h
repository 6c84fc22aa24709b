// The platform's temporary-files directory, as the program uses it.
#pragma once

// Fills `out` (kPathSize) with the temporary directory less its last character (its trailing
// separator); empty when the platform gives none, or one too long for the array.
void FetchTempDir(char* out);
