// Which COMMANDn sections a script holds. Pure text logic, no platform calls.
#pragma once

// The highest n of the sections that command n reads (CommandSectionNumber) in a list of section
// names, each zero-terminated, `length` bytes in all (empty names included). 0 when none. A name
// that no command reads does not count, however large the number it seems to carry.
int HighestCommandSection(const char* names, int length);
