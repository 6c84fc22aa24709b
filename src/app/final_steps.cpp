// The two optional steps after the last command: restart request and self-deletion.
#include "app/final_steps.h"

#include "base/debug_box.h"
#include "base/known_dirs.h"
#include "base/scoped_handle.h"
#include "base/shell_state.h"
#include "base/system_library.h"

// Entry points that Windows 95 lacks or only stubs are looked up at run time, so that one exe
// loads on both families. Both libraries are imported already, so they are taken as loaded.
static void EnableShutdownPrivilege() {
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    auto openToken = TYPED_ENTRY_POINT(advapi, OpenProcessToken);
    auto lookup = TYPED_ENTRY_POINT(advapi, LookupPrivilegeValueA);
    auto adjust = TYPED_ENTRY_POINT(advapi, AdjustTokenPrivileges);
    if (openToken == nullptr || lookup == nullptr || adjust == nullptr) return;

    ScopedHandle token;
    if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token.handle)) {
        token.handle = nullptr;
        return;
    }
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (lookup(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        /* ok = */ adjust(token.handle, FALSE, &privileges, 0, nullptr, nullptr);
    }
}

DWORD RequestRestart() {
    EnableShutdownPrivilege();
    return ExitWindowsEx(EWX_REBOOT, 0xFFFFFFFF) ? ERROR_SUCCESS : GetLastError();
}

// The file deleted is the one the program was loaded from, never the first word of its command
// line: a launcher may start it with a command line that names any other file there.
DWORD DeleteNamedFile() {
    char name[kPathSize];
    bool whole = FetchOwnPath(name);
    DebugBox(name, "szTempString for Delete");
    if (!whole) return ERROR_INVALID_PARAMETER;
    if (DeleteFileA(name)) return ERROR_SUCCESS;

    DWORD error = GetLastError();
    bool inUse = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    DWORD attributes = GetFileAttributesA(name);
    if (!inUse || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return error;
    auto moveFileEx = TYPED_ENTRY_POINT(GetModuleHandleA("kernel32.dll"), MoveFileExA);
    if (moveFileEx != nullptr && moveFileEx(name, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        return ERROR_SUCCESS_REBOOT_REQUIRED;
    return error;
}
