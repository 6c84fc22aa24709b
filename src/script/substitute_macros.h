// The text substitution behind the path macros "%TEMP%" and "%CURRENTDRIVE%". Pure text logic,
// no platform calls, so that it can be built and exercised on its own.
#pragma once

// Replaces the first "%TEMP%" of `input` (exact case) by `tempDir`, then the first
// "%CURRENTDRIVE%" of that text by `driveLetter`; a second occurrence stays as written. `out` of
// `size` bytes gets the result, cut to size - 1 characters and always terminated; so does the
// working text between the two steps.
void SubstituteMacros(const char* input, const char* tempDir, const char* driveLetter, char* out,
                      int size);
