// Locating the directory the program was started from.
#pragma once

// Upper-cases `text` in place and fills `out` (kPathSize) with the directory in front of `name`
// in it: the current directory when the name stands there without one. Shows the one error box
// of the program when the name is not found, and returns whether it was.
bool LocateStartDir(char* text, char* out, const char* name);
