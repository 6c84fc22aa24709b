// Benchmark stopwatch: runs a program, waits for it, and records when it started and ended on
// the clock the helper programs' records use.
// usage: bench_timed_run.exe LOGFILE NAME COMMANDLINE...
#include "../helpers/record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 4) return 99;
    char commandLine[1024];
    JoinArguments(__argc, __argv, 3, commandLine, sizeof(commandLine));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    DWORD start = GetTickCount();
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 98;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    AppendRecord(__argv[1], __argv[2], start, GetTickCount());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
