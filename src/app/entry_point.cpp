// The process entry of the shipped exe, which carries no C runtime: gathers what a WinMain
// would be given, runs the program and ends the process with its result.
#include <windows.h>

#include "app/command_line.h"
#include "app/tarnwick_main.h"
#include "base/system_library.h"

extern "C" void WINAPI TarnwickStartup() {
    // First of all, before anything can make Windows load a library by name.
    NarrowLibrarySearch();
    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    const char* cmdLine = GetCommandLineA();
    const char* args = cmdLine + ArgumentsOffset(cmdLine);
    while (*args == ' ' || *args == '\t') ++args;
    ExitProcess(static_cast<UINT>(TarnwickMain(GetModuleHandleA(nullptr), nullptr, args, show)));
}
