// Command types 6, 7 and 11: make a directory, remove one, copy a file. Failures do not stop the
// list; each command's result says whether the state it asks for holds afterwards.
#include "commands/file_commands.h"

#include "base/run_log.h"
#include "base/script_keys.h"
#include "base/sizes.h"
#include "script/expand_macros.h"
#include "script/ini_read.h"

namespace {

// Reads the path `key` of the command and expands its macros into `path`; the log's line for
// the command's start gets it as used.
void ReadPath(const char* section, const char* key, char (&path)[kExpandedSize]) {
    char value[kPathSize];
    ReadIniString(section, key, "", value, kPathSize);
    ExpandMacros(value, path);
    LogAddValue(key, path);
}

// The result of a call that returned `ok`: 0, or the Windows error it left.
DWORD ResultOf(BOOL ok) { return ok ? ERROR_SUCCESS : GetLastError(); }

}  // namespace

DWORD CreateDir(const char* section) {
    char dir[kExpandedSize];
    ReadPath(section, kKeyDirName, dir);
    LogWrite();
    DWORD result = ResultOf(CreateDirectoryA(dir, nullptr));
    // A directory that is there already is what the command asks for; a file of that name is not.
    if (result == ERROR_ALREADY_EXISTS) {
        DWORD attributes = GetFileAttributesA(dir);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            result = ERROR_SUCCESS;
    }
    return result;
}

DWORD RemoveDir(const char* section) {
    char dir[kExpandedSize];
    ReadPath(section, kKeyDirName, dir);
    LogWrite();
    DWORD result = ResultOf(RemoveDirectoryA(dir));
    // A directory that is gone already is what the command asks for; an empty name names none.
    bool gone = result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND;
    return gone && dir[0] != '\0' ? ERROR_SUCCESS : result;
}

DWORD CopyFileCmd(const char* section) {
    // Both values are read first, then the source and then the destination are expanded.
    char sourceValue[kPathSize];
    char destValue[kPathSize];
    ReadIniString(section, kKeySourceFileName, "", sourceValue, kPathSize);
    ReadIniString(section, kKeyDestFileName, "", destValue, kPathSize);
    char source[kExpandedSize];
    char dest[kExpandedSize];
    ExpandMacros(sourceValue, source);
    ExpandMacros(destValue, dest);
    LogAddValue(kKeySourceFileName, source);
    LogAddValue(kKeyDestFileName, dest);
    LogWrite();
    return ResultOf(CopyFileA(source, dest, FALSE));
}
