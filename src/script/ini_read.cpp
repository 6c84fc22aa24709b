// Reading the script: one string or integer key at a time, from ConfigPath.
#include "script/ini_read.h"

#include "base/shell_state.h"
#include "base/text.h"

void ReadIniString(const char* section, const char* key, const char* def, char* buffer, int size) {
    if (size <= 0) return;
    // Windows drops trailing blanks from the default, other implementations do not.
    char trimmed[kPathSize];
    int len = TextCopy(trimmed, kPathSize, def);
    while (len > 0 && trimmed[len - 1] == ' ') trimmed[--len] = '\0';

    if (g_shell.ConfigPath[0] == '\0') {
        TextCopy(buffer, size, trimmed);
        return;
    }
    /* len = */ GetPrivateProfileStringA(section, key, trimmed, buffer, static_cast<DWORD>(size),
                                         g_shell.ConfigPath);
}

int ReadIniInt(const char* section, const char* key, int def) {
    if (g_shell.ConfigPath[0] == '\0') return def;
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, g_shell.ConfigPath));
}
