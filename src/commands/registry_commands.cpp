// Command types 2 to 5: registry keys and string values below HKEY_LOCAL_MACHINE. A failure does
// not stop the list; each command's result says whether the state it asks for holds afterwards,
// and a handle is closed only if it was obtained.
#include "commands/registry_commands.h"

#include "base/run_log.h"
#include "base/scoped_handle.h"
#include "base/script_keys.h"
#include "base/sizes.h"
#include "base/text.h"
#include "script/expand_macros.h"
#include "script/ini_read.h"

namespace {

// Reads REGKEY into `key` (kPathSize) and, for the log, adds it to the command's line. Returns
// false when the key names no key: an absent or empty REGKEY would name HKEY_LOCAL_MACHINE
// itself, and so may one of separators and blanks alone ("\\", a quoted blank); the commands then
// leave the registry alone rather than delete the root (Windows 95 deletes a whole subtree) or
// write to it.
bool ReadKey(const char* section, char* key) {
    ReadIniString(section, kKeyRegKey, "", key, kPathSize);
    LogAddValue(kKeyRegKey, key);
    for (const char* at = key; *at != '\0'; ++at) {
        if (*at != '\\' && *at != ' ' && *at != '\t') return true;
    }
    return false;
}

// A missing key or value is what a deletion asks for.
DWORD GoneCountsAsDeleted(LONG result) {
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : static_cast<DWORD>(result);
}

}  // namespace

DWORD CreateRegKey(const char* section) {
    char key[kPathSize];
    bool named = ReadKey(section, key);
    LogWrite();
    if (!named) return ERROR_INVALID_PARAMETER;
    ScopedKey opened;
    LONG result = RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &opened.key);
    /* made = */ opened.Obtained(result);
    return static_cast<DWORD>(result);
}

DWORD DeleteRegKey(const char* section) {
    char key[kPathSize];
    bool named = ReadKey(section, key);
    LogWrite();
    if (!named) return ERROR_INVALID_PARAMETER;
    return GoneCountsAsDeleted(RegDeleteKeyA(HKEY_LOCAL_MACHINE, key));
}

DWORD SetRegValue(const char* section) {
    char key[kPathSize];
    char name[kValueNameSize];
    char value[kPathSize];
    bool named = ReadKey(section, key);
    ReadIniString(section, kKeyRegValueName, "", name, kValueNameSize);
    ReadIniString(section, kKeyRegValue, "", value, kPathSize);
    char data[kExpandedSize];
    ExpandMacros(value, data);
    LogAddValue(kKeyRegValueName, name);
    LogAddValue(kKeyRegValue, data);
    LogWrite();
    if (!named) return ERROR_INVALID_PARAMETER;
    ScopedKey opened;
    LONG result = RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &opened.key);
    if (!opened.Obtained(result)) return static_cast<DWORD>(result);
    // The data is the text and its terminating zero as well.
    return static_cast<DWORD>(RegSetValueExA(opened.key, name, 0, REG_SZ,
                                             reinterpret_cast<const BYTE*>(data),
                                             static_cast<DWORD>(TextLen(data) + 1)));
}

DWORD DeleteRegValue(const char* section) {
    char key[kPathSize];
    char name[kValueNameSize];
    bool named = ReadKey(section, key);
    ReadIniString(section, kKeyRegValueName, "", name, kValueNameSize);
    LogAddValue(kKeyRegValueName, name);
    LogWrite();
    if (!named) return ERROR_INVALID_PARAMETER;
    ScopedKey opened;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &opened.key);
    if (!opened.Obtained(result)) return GoneCountsAsDeleted(result);
    return GoneCountsAsDeleted(RegDeleteValueA(opened.key, name));
}
