// The two optional steps after the last command: restart request and self-deletion.
#include "app/final_steps.h"

#include "base/debug_box.h"
#include "base/shell_state.h"
#include "base/split_at_char.h"
#include "base/text.h"

// Entry points that Windows 95 lacks or only stubs are looked up at run time, so that one exe
// loads on both families.
template <typename Fn>
static Fn Lookup(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
using LookupPrivilegeValueFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
using AdjustTokenPrivilegesFn = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD,
                                              PTOKEN_PRIVILEGES, PDWORD);
using MoveFileExFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

static void EnableShutdownPrivilege() {
    HMODULE advapi = LoadLibraryA("advapi32.dll");
    auto openToken = Lookup<OpenProcessTokenFn>(advapi, "OpenProcessToken");
    auto lookup = Lookup<LookupPrivilegeValueFn>(advapi, "LookupPrivilegeValueA");
    auto adjust = Lookup<AdjustTokenPrivilegesFn>(advapi, "AdjustTokenPrivileges");
    if (openToken == nullptr || lookup == nullptr || adjust == nullptr) return;

    HANDLE token = nullptr;
    if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (lookup(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        /* ok = */ adjust(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

void RequestRestart() {
    EnableShutdownPrivilege();
    /* ok = */ ExitWindowsEx(EWX_REBOOT, 0xFFFFFFFF);
}

void DeleteNamedFile() {
    char name[kPathSize];
    char rest[kPathSize];
    const char* text = g_shell.DeleteName;
    // The name starts after the opening quote and ends at the closing one.
    if (text[0] != '\0') ++text;
    SplitAtChar(text, name, kPathSize, rest, kPathSize, '"');
    DebugBox(name, "szTempString for Delete");
    // A name cut to fit the array would name another file: delete nothing then.
    int len = 0;
    while (text[len] != '\0' && text[len] != '"') ++len;
    if (len == 0 || len >= kPathSize) return;
    if (DeleteFileA(name)) return;

    DWORD error = GetLastError();
    bool inUse = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    DWORD attributes = GetFileAttributesA(name);
    if (!inUse || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return;
    auto moveFileEx = Lookup<MoveFileExFn>(GetModuleHandleA("kernel32.dll"), "MoveFileExA");
    if (moveFileEx != nullptr) {
        /* ok = */ moveFileEx(name, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
}
