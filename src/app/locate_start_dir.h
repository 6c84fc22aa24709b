// Locating the directory the program was started from.
#pragma once

// Upper-cases `text` in place and fills `out` (kPathSize) with the directory in front of `name`
// in it: the current directory when the name stands there without one. Shows the one error box
// of the program when the name is not found. Returns whether a start directory was found: not
// when the name is missing, nor when it stands bare and there is no current directory to take.
bool LocateStartDir(char* text, char* out, const char* name);
