// Test helper: a library planted beside the program under a system library's name. Loaded into
// a process, it leaves "planted.txt" beside itself. It exports InitCommonControls, so that a
// program importing that function from it would load and start.
#include <windows.h>

extern "C" __declspec(dllexport) void WINAPI InitCommonControls() {}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH];
    DWORD len = GetModuleFileNameA(instance, path, MAX_PATH);
    while (len > 0 && path[len - 1] != '\\') --len;
    lstrcpynA(path + len, "planted.txt", MAX_PATH - static_cast<int>(len));
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
