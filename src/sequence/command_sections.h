// Which COMMANDn sections a script holds. Pure text logic, no platform calls.
#pragma once

// The highest n of the sections that may be read as "COMMAND<n>" in a list of section names,
// each zero-terminated, `length` bytes in all (empty names included). 0 when none.
int HighestCommandSection(const char* names, int length);
