// The one rule for "the section that command n reads", shared by the program's walk of the
// command list and by the script checker. Pure text logic, no platform calls.
#pragma once

// The number n when `name` (its first `length` bytes) is the section that command n reads: as
// the profile functions match it, blanks around the name aside, "COMMAND" in any case followed
// by n in decimal with no sign and no leading zero, 1 to the largest int. 0 for any other name:
// no command reads it, whatever it looks like ("COMMAND 5", "COMMAND05", "COMMAND99999999999").
int CommandSectionNumber(const char* name, int length);
