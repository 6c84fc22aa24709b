// Command types 6, 7 and 11: make a directory, remove one, copy a file.
#pragma once

// Type 6: makes the directory DIRNAME (macros expanded); its parent must exist.
void CreateDir(const char* section);

// Type 7: removes the directory DIRNAME (macros expanded) if it is empty.
void RemoveDir(const char* section);

// Type 11: copies SOURCEFILENAME onto DESTFILENAME (both expanded), replacing a writable file
// there; the copy takes over the source's attributes.
void CopyFileCmd(const char* section);
