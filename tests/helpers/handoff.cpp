// Test helper: a hand-off installer. Starts another program, waits until that one is ready
// for input, and exits while it goes on running.
// usage: handoff.exe LOGFILE NAME CHILD [CHILD ARGUMENTS...]
#include "record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    DWORD start = GetTickCount();
    if (__argc < 4) return 99;
    char child[2048];
    JoinArguments(__argc, __argv, 3, child, sizeof(child));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, child, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return 98;
    }
    WaitForInputIdle(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    AppendRecord(__argv[1], __argv[2], start, GetTickCount());
    return 0;
}
