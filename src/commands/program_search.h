// Where a type 1 command's program is taken from when its command line names it without a folder.
#pragma once

// When the first word of `commandLine` names a program without any folder or drive, none of that
// name lies in the folder this program was loaded from, but one lies in the system or the
// Windows directory: fills `path` (kPathSize) with that one's full path and returns true.
// Otherwise false, and Windows' own search is left to find the program: it starts in this
// program's folder, so it finds the same file there.
bool SystemProgramPath(const char* commandLine, char* path);
