// Reading the program's own command line: arguments, options and the current drive.
#include "app/command_line.h"

#include "base/split_at_char.h"
#include "base/text.h"

int ArgumentsOffset(const char* cmdLine) {
    int i = 0;
    if (cmdLine[0] == '"') {
        i = 1;
        while (cmdLine[i] != '\0' && cmdLine[i] != '"') ++i;
        if (cmdLine[i] == '"') ++i;
        return i;
    }
    while (cmdLine[i] != '\0' && cmdLine[i] != ' ' && cmdLine[i] != '\t') ++i;
    return i;
}

void ProgramPathOf(const char* cmdLine, char* out, int size) {
    if (cmdLine[0] == '"') {
        char rest[1];  // what follows the closing quote is not wanted
        /* noQuote = */ SplitAtChar(cmdLine + 1, out, size, rest, 1, '"');
        return;
    }
    TextCopyN(out, size, cmdLine, ArgumentsOffset(cmdLine));
}

bool HasOption(const char* args, const char* option) { return TextFind(args, option) != nullptr; }

// Whether `text` begins with `option` ("/l:"), the option's letters in either case.
static bool IsOptionAt(const char* text, const char* option) {
    for (; *option != '\0'; ++option, ++text) {
        char c = *text;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != *option) return false;
    }
    return true;
}

// The length of the value of /l: that starts at `value`: to the closing quote when it opens with
// one (the quotes included), else to the first blank or tab.
static int LogValueLength(const char* value) {
    int n = 0;
    if (value[0] == '"') {
        n = 1;
        while (value[n] != '\0' && value[n] != '"') ++n;
        return value[n] == '"' ? n + 1 : n;
    }
    while (value[n] != '\0' && value[n] != ' ' && value[n] != '\t') ++n;
    return n;
}

void MaskOptionValues(char* args) {
    for (char* at = args; *at != '\0';) {
        int length = 0;
        if (IsOptionAt(at, "/l:")) {
            at += 3;
            length = LogValueLength(at);
        } else if (IsOptionAt(at, "/cd:")) {
            at += 4;
            length = 2;
        } else {
            ++at;
            continue;
        }
        for (; length > 0 && *at != '\0'; --length) *at++ = ' ';
    }
}

LogOption LogPathOf(const char* masked, const char* args, char* out, int size) {
    // The masked arguments find the option itself where it stands, not inside another's value.
    for (const char* at = masked; *at != '\0'; ++at) {
        if (at[0] != '/' || (at[1] != 'l' && at[1] != 'L') || at[2] != ':') continue;
        const char* value = args + (at - masked) + 3;
        int length = LogValueLength(value);
        if (value[0] == '"') {
            bool closed = length >= 2 && value[length - 1] == '"';
            ++value;
            length -= closed ? 2 : 1;
        }
        // A path cut to fit would name another file.
        if (length == 0 || length >= size) return LogOption::kBad;
        TextCopyN(out, size, value, length);
        return LogOption::kGiven;
    }
    return LogOption::kAbsent;
}

static bool BeginsWithDrive(const char* path) { return IsAsciiLetter(path[0]) && path[1] == ':'; }

void DriveFromProgramPath(const char* cmdLine, const char* currentDir, char* out, int size) {
    const char* path = cmdLine[0] == '"' ? cmdLine + 1 : cmdLine;
    const char* drive = path;
    if (!BeginsWithDrive(path) && BeginsWithDrive(currentDir)) drive = currentDir;
    char text[3] = {drive[0], ':', '\0'};
    // The current directory keeps the case it was typed in; the drive is written upper case
    // whichever way it came.
    TextUpperAscii(text);
    TextCopy(out, size, text);
}

bool DriveFromCdOption(const char* upperMasked, const char* upperArgs, char* out, int size) {
    const char* found = TextFind(upperMasked, "/CD:");
    if (found == nullptr) return false;
    TextCopyN(out, size, upperArgs + (found - upperMasked) + 4, 2);
    return true;
}
