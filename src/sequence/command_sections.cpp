// Which COMMANDn sections a script holds.
#include "sequence/command_sections.h"

#include "base/script_keys.h"
#include "base/text.h"

// The number in a name "COMMAND<digits>", or 0 when the name is not of that form. Numbers past
// the largest int count as the largest int.
static int CommandNumber(const char* name) {
    const char* prefix = kCommandSectionPrefix;
    int i = 0;
    for (; prefix[i] != '\0'; ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i]) return 0;
    }
    if (name[i] < '0' || name[i] > '9') return 0;
    int number = 0;
    for (; name[i] >= '0' && name[i] <= '9'; ++i) {
        int digit = name[i] - '0';
        number = number > (0x7FFFFFFF - digit) / 10 ? 0x7FFFFFFF : number * 10 + digit;
    }
    return name[i] == '\0' ? number : 0;
}

int HighestCommandSection(const char* names) {
    int highest = 0;
    for (const char* name = names; *name != '\0'; name += TextLen(name) + 1) {
        int number = CommandNumber(name);
        if (number > highest) highest = number;
    }
    return highest;
}
