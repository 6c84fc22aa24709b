// Where a type 1 command's program is taken from when its command line names it without a folder.
// Windows looks for such a name in the program's own folder, then in the current directory, and
// only then in the system folders: started from a prompt in a downloads folder, an elevated
// program would run whatever "msiexec.exe" lies there. The own folder (the disc) stays first;
// the system and Windows directories come before the current directory.
#include "commands/program_search.h"

#include <windows.h>

#include "base/known_dirs.h"
#include "base/sizes.h"
#include "base/text.h"

// The first word of a command line as Windows takes it (quoted, or up to a blank or tab) into
// `name` (kPathSize); false when it is empty, too long or names a folder or a drive.
static bool BareProgramName(const char* commandLine, char* name) {
    bool quoted = commandLine[0] == '"';
    const char* word = quoted ? commandLine + 1 : commandLine;
    int len = 0;
    for (; word[len] != '\0'; ++len) {
        char c = word[len];
        if (quoted ? c == '"' : c == ' ' || c == '\t') break;
        if (c == '\\' || c == '/' || c == ':') return false;
    }
    if (len == 0 || len >= kPathSize) return false;
    TextCopyN(name, kPathSize, word, len);
    return true;
}

// Whether `name` (".exe" added when it has no extension) lies in one of `folders` (separated by
// ';'); its full path in `path` (kPathSize) when it does.
static bool Found(const char* folders, const char* name, char* path) {
    DWORD len = SearchPathA(folders, name, ".exe", kPathSize, path, nullptr);
    return len > 0 && len < static_cast<DWORD>(kPathSize);
}

bool SystemProgramPath(const char* commandLine, char* path) {
    char name[kPathSize];
    if (!BareProgramName(commandLine, name)) return false;
    // The own folder: the program's path up to its last separator, kept ("D:\" for a root).
    char folders[2 * kPathSize];
    if (!FetchOwnPath(folders)) return false;
    int end = TextLen(folders);
    while (end > 0 && folders[end - 1] != '\\') --end;
    folders[end] = '\0';
    if (end == 0 || Found(folders, name, path)) return false;
    // "<system directory>;<Windows directory>"
    UINT system = GetSystemDirectoryA(folders, kPathSize);
    if (system == 0 || system >= static_cast<UINT>(kPathSize)) return false;
    folders[system] = ';';
    UINT windows = GetWindowsDirectoryA(folders + system + 1, kPathSize);
    if (windows == 0 || windows >= static_cast<UINT>(kPathSize)) return false;
    return Found(folders, name, path);
}
