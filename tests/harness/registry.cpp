// Registry checks for the tests, below HKEY_LOCAL_MACHINE.
#include "harness/harness.h"

namespace harness {

std::optional<std::string> ReadHklmString(const std::string& key, const std::string& name) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    char data[4096];
    DWORD size = sizeof(data);
    DWORD type = 0;
    LONG rc = RegQueryValueExA(handle, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    // The stored length counts the terminating zero.
    return std::string(data, size > 0 && data[size - 1] == '\0' ? size - 1 : size);
}

bool HklmKeyExists(const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

bool HklmValueExists(const std::string& key, const std::string& name) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    LONG rc = RegQueryValueExA(handle, name.empty() ? nullptr : name.c_str(), nullptr, nullptr,
                               nullptr, nullptr);
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

static void DeleteTreeBelow(HKEY parent, const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExA(parent, key.c_str(), 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS) {
        char name[256];
        while (RegEnumKeyA(handle, 0, name, sizeof(name)) == ERROR_SUCCESS) {
            DeleteTreeBelow(handle, name);
        }
        RegCloseKey(handle);
    }
    RegDeleteKeyA(parent, key.c_str());
}

void DeleteHklmTree(const std::string& key) { DeleteTreeBelow(HKEY_LOCAL_MACHINE, key); }

void SetHklmString(const std::string& key, const std::string& name, const std::string& value) {
    HKEY handle;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, key.c_str(), &handle) != ERROR_SUCCESS) return;
    RegSetValueExA(handle, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

}  // namespace harness
