// Benchmark baseline: the least a GUI program can do to run programs one after another, start
// each with CreateProcessA and wait for it, with nothing else around it. Mode "pump" waits the
// way tarnwick does, serving messages, to tell the wait's cost from the rest.
// usage: bench_bare_loop.exe COUNT wait|pump COMMANDLINE...
#include <stdlib.h>

#include "../helpers/record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 4) return 99;
    bool pump = strcmp(__argv[2], "pump") == 0;
    char commandLine[1024];
    JoinArguments(__argc, __argv, 3, commandLine, sizeof(commandLine));
    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    for (int i = atoi(__argv[1]); i > 0; --i) {
        char line[1024];
        strcpy(line, commandLine);
        PROCESS_INFORMATION process;
        if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return 98;
        }
        if (pump) {
            while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100,
                                             QS_ALLEVENTS | QS_SENDMESSAGE) != WAIT_OBJECT_0) {
                MSG msg;
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            }
        } else {
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return 0;
}
