// Which COMMANDn sections a script holds.
#include "sequence/command_sections.h"

#include "base/script_keys.h"
#include "base/text.h"

// The number of a name that may be read as "COMMAND<digits>", or 0. The reading is looser than
// any platform's matching, so that a section the platform would find is never missed: case,
// blanks and punctuation do not count, nor do leading zeros; numbers past the largest int count
// as the largest int.
static int CommandNumber(const char* name) {
    const char* prefix = kCommandSectionPrefix;
    int matched = 0;
    int number = 0;
    bool digits = false;
    for (; *name != '\0'; ++name) {
        char c = *name;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (prefix[matched] != '\0') {
            if (c == prefix[matched]) {
                ++matched;
            } else if (IsAsciiLetter(c) || (c >= '0' && c <= '9')) {
                return 0;
            }
        } else if (c >= '0' && c <= '9') {
            int digit = c - '0';
            number = number > (0x7FFFFFFF - digit) / 10 ? 0x7FFFFFFF : number * 10 + digit;
            digits = true;
        } else if (IsAsciiLetter(c)) {
            return 0;
        }
    }
    return digits ? number : 0;
}

int HighestCommandSection(const char* names, int length) {
    int highest = 0;
    for (int at = 0; at < length; at += TextLen(names + at) + 1) {
        int number = CommandNumber(names + at);
        if (number > highest) highest = number;
    }
    return highest;
}
