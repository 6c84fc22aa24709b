// Test helper: runs for a given time, records its run, and exits with a given code.
// usage: sleeper.exe MS EXITCODE LOGFILE NAME
#include <stdlib.h>

#include "record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    DWORD start = GetTickCount();
    if (__argc < 5) return 99;
    PumpFor(static_cast<DWORD>(atoi(__argv[1])));
    AppendRecord(__argv[3], __argv[4], start, GetTickCount());
    return atoi(__argv[2]);
}
