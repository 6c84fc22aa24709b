// Test helper: an installer that crashes. It records that it ran, then writes through a null
// pointer. Its last-chance filter ends the process with the exception's code, as Windows does
// once its crash box is dismissed (under Wine the crash would wait for the debugger instead).
// usage: crasher.exe LOGFILE NAME
#include "record.h"

static LONG WINAPI EndAtOnce(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 99;
    AppendRecord(__argv[1], __argv[2], GetTickCount(), GetTickCount());
    SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS);
    SetUnhandledExceptionFilter(EndAtOnce);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
