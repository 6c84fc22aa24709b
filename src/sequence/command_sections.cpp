// Which COMMANDn sections a script holds.
#include "sequence/command_sections.h"

#include "base/command_section.h"
#include "base/text.h"

int HighestCommandSection(const char* names, int length) {
    int highest = 0;
    for (int at = 0; at < length; at += TextLen(names + at) + 1) {
        int number = CommandSectionNumber(names + at, TextLen(names + at));
        if (number > highest) highest = number;
    }
    return highest;
}
