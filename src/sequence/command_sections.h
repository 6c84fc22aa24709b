// Which COMMANDn sections a script holds. Pure text logic, no platform calls.
#pragma once

// The highest n of the sections named "COMMAND<n>" (any case, decimal digits only, n >= 1) in a
// list of section names, each zero-terminated, the list ended by an empty name. 0 when none.
int HighestCommandSection(const char* names);
