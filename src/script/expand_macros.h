// The path macros of script values: "%TEMP%" and "%CURRENTDRIVE%".
#pragma once

#include "base/sizes.h"

// Fills `output` with `input` in which the first "%TEMP%" stands for the temporary directory
// (fetched afresh, without its trailing separator) and then the first "%CURRENTDRIVE%" for
// szDriveLetter. A result longer than kExpandedSize - 1 characters is cut there.
void ExpandMacros(const char* input, char (&output)[kExpandedSize]);
