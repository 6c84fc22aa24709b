// Command types 2 to 5: registry keys and string values below HKEY_LOCAL_MACHINE. No result is
// reported; a failed call passes silently, and a handle is closed only if it was obtained.
#include "commands/registry_commands.h"

#include <windows.h>

#include "base/scoped_handle.h"
#include "base/script_keys.h"
#include "base/sizes.h"
#include "base/text.h"
#include "script/expand_macros.h"
#include "script/ini_read.h"

namespace {

// An absent or empty REGKEY would name HKEY_LOCAL_MACHINE itself, and so may one of separators
// and blanks alone ("\\", a quoted blank): the commands then leave the registry alone rather than
// delete the root (Windows 95 deletes a whole subtree) or write to it.
bool NamesNoKey(const char* key) {
    for (; *key != '\0'; ++key) {
        if (*key != '\\' && *key != ' ' && *key != '\t') return false;
    }
    return true;
}

}  // namespace

void CreateRegKey(const char* section) {
    char key[kPathSize];
    ReadIniString(section, kKeyRegKey, "", key, kPathSize);
    if (NamesNoKey(key)) return;
    ScopedKey opened;
    /* made = */ opened.Obtained(RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &opened.key));
}

void DeleteRegKey(const char* section) {
    char key[kPathSize];
    ReadIniString(section, kKeyRegKey, "", key, kPathSize);
    if (NamesNoKey(key)) return;
    /* rc = */ RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
}

void SetRegValue(const char* section) {
    char key[kPathSize];
    char name[kValueNameSize];
    char value[kPathSize];
    ReadIniString(section, kKeyRegKey, "", key, kPathSize);
    ReadIniString(section, kKeyRegValueName, "", name, kValueNameSize);
    ReadIniString(section, kKeyRegValue, "", value, kPathSize);
    char data[kExpandedSize];
    ExpandMacros(value, data);
    if (NamesNoKey(key)) return;
    ScopedKey opened;
    if (!opened.Obtained(RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &opened.key))) return;
    // The data is the text and its terminating zero as well.
    /* rc = */ RegSetValueExA(opened.key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                              static_cast<DWORD>(TextLen(data) + 1));
}

void DeleteRegValue(const char* section) {
    char key[kPathSize];
    char name[kValueNameSize];
    ReadIniString(section, kKeyRegKey, "", key, kPathSize);
    ReadIniString(section, kKeyRegValueName, "", name, kValueNameSize);
    if (NamesNoKey(key)) return;
    ScopedKey opened;
    if (!opened.Obtained(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &opened.key)))
        return;
    /* rc = */ RegDeleteValueA(opened.key, name);
}
