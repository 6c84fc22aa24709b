// The one rule for "the section that command n reads".
#include "base/command_section.h"

#include "base/script_keys.h"

int CommandSectionNumber(const char* name, int length) {
    int begin = 0;
    int end = length;
    while (begin < end && (name[begin] == ' ' || name[begin] == '\t')) ++begin;
    while (end > begin && (name[end - 1] == ' ' || name[end - 1] == '\t')) --end;
    int at = begin;
    for (const char* prefix = kCommandSectionPrefix; *prefix != '\0'; ++prefix, ++at) {
        if (at == end) return 0;
        char c = name[at];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != *prefix) return 0;
    }
    // The program names its sections "COMMAND%i": a leading zero, a sign or any other character
    // makes a name that no command asks for.
    if (at == end || name[at] < '1' || name[at] > '9') return 0;
    int number = 0;
    for (; at < end; ++at) {
        char c = name[at];
        if (c < '0' || c > '9') return 0;
        int digit = c - '0';
        if (number > (0x7FFFFFFF - digit) / 10) return 0;
        number = number * 10 + digit;
    }
    return number;
}
