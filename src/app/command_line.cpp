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

bool DriveFromCdOption(const char* upperArgs, char* out, int size) {
    const char* found = TextFind(upperArgs, "/CD:");
    if (found == nullptr) return false;
    TextCopyN(out, size, found + 4, 2);
    return true;
}
