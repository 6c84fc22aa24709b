// Command types 6, 7 and 11: make a directory, remove one, copy a file. Failures pass silently.
#include "commands/file_commands.h"

#include <windows.h>

#include "base/script_keys.h"
#include "base/sizes.h"
#include "script/expand_macros.h"
#include "script/ini_read.h"

namespace {

// Reads the path `key` of the command and expands its macros into `path`.
void ReadPath(const char* section, const char* key, char (&path)[kExpandedSize]) {
    char value[kPathSize];
    ReadIniString(section, key, "", value, kPathSize);
    ExpandMacros(value, path);
}

}  // namespace

void CreateDir(const char* section) {
    char dir[kExpandedSize];
    ReadPath(section, kKeyDirName, dir);
    /* ok = */ CreateDirectoryA(dir, nullptr);
}

void RemoveDir(const char* section) {
    char dir[kExpandedSize];
    ReadPath(section, kKeyDirName, dir);
    /* ok = */ RemoveDirectoryA(dir);
}

void CopyFileCmd(const char* section) {
    // Both values are read first, then the source and then the destination are expanded.
    char sourceValue[kPathSize];
    char destValue[kPathSize];
    ReadIniString(section, kKeySourceFileName, "", sourceValue, kPathSize);
    ReadIniString(section, kKeyDestFileName, "", destValue, kPathSize);
    char source[kExpandedSize];
    char dest[kExpandedSize];
    ExpandMacros(sourceValue, source);
    ExpandMacros(destValue, dest);
    /* ok = */ CopyFileA(source, dest, FALSE);
}
