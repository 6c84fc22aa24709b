// Command type 1: start a program and wait for it, optionally under the status window and
// until a hand-off installer's window has closed.
#include "commands/run_program.h"

#include "base/debug_box.h"
#include "base/run_log.h"
#include "base/scoped_handle.h"
#include "base/script_keys.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "commands/program_search.h"
#include "script/ini_read.h"
#include "ui/message_pump.h"
#include "ui/status_window.h"

enum : DWORD {
    kHeartbeatMs = 100,      // one progress step per this much waiting
    kHandOffPauseMs = 2000,  // time a hand-off installer gets to open its window
    kSearchPauseMs = 100,    // between two searches for that window
};

// Starts `commandLine` (which the platform may write into) and waits until it has ended,
// stepping the status window meanwhile. Returns false when nothing could be started; `result`
// is then the Windows error that kept it from starting, else the program's exit code.
static bool StartAndWait(char* commandLine, DWORD& result) {
    // The program's own start-up information is passed on unchanged.
    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    // A program of the system folders is named to Windows by its full path, so that a file of
    // its name in the current directory is not taken; the command line stays as written.
    char systemProgram[kPathSize];
    const char* application =
        SystemProgramPath(commandLine, systemProgram) ? systemProgram : nullptr;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(application, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        result = GetLastError();
        DebugBoxError(commandLine, result, "Program not started");
        return false;
    }
    ScopedHandle thread(process.hThread);
    ScopedHandle waited(process.hProcess);
    // A failed wait ends the loop as an ended program does: it would fail again at once.
    while (WaitServingMessages(process.hProcess, kHeartbeatMs) == WAIT_TIMEOUT) StepStatusWindow();
    if (!GetExitCodeProcess(process.hProcess, &result)) result = GetLastError();
    return true;
}

// Whether a top-level window, visible or hidden, has the whole title `title` (in any case). Our
// own status window does not count: titled with APPTITLE, it may well carry the installer's
// name, and would then be waited for until the end of time.
static bool OtherWindowTitled(const char* title) {
    HWND found = FindWindowA(nullptr, title);
    if (found != nullptr && found == g_shell.statusWindow) {
        found = FindWindowExA(nullptr, found, nullptr, title);
    }
    return found != nullptr;
}

// A hand-off installer starts its real work in a second process and exits early: after a pause
// for it to open its window, wait until that window has gone too. The log tells whether the
// window was seen and how long the whole wait took.
static void WaitForHandOff(const char* title) {
    DWORD started = GetTickCount();
    PauseServingMessages(kHandOffPauseMs);
    bool seen = false;
    // An empty title would match any untitled window of any program.
    if (title[0] != '\0') {
        while (OtherWindowTitled(title)) {
            seen = true;
            PauseServingMessages(kSearchPauseMs);
        }
    }
    DWORD ms = GetTickCount() - started;
    LogBegin("hand-off: window");
    LogAddValue(kKeyCommandWinTitle, title);
    LogAdd(" %s, waited %lu.%03lu s", seen ? "seen and closed" : "not seen", ms / 1000, ms % 1000);
    LogWrite();
}

DWORD RunProgram(const char* section) {
    ReadIniString(section, kKeyCommandCaption, "", g_shell.szWindowCaption, kPathSize);
    DebugBox(g_shell.szWindowCaption, "szWindowCaption");

    int showStatus = ReadIniInt(section, kKeyCommandShowStatus, 0);
    int handOff = ReadIniInt(section, kKeyCommandIShield, 0);
    char windowTitle[kPathSize] = "";
    if (handOff != 0) ReadIniString(section, kKeyCommandWinTitle, "", windowTitle, kPathSize);
    char commandLine[kCommandLineKeySize];
    ReadIniString(section, kKeyCommandLine, "", commandLine, kCommandLineKeySize);

    if (showStatus != 0) {
        CreateStatusWindow();
        char appTitle[kPathSize];
        ReadIniString(kMainSectionUpper, kKeyAppTitle, "", appTitle, kPathSize);
        DebugBox(appTitle, "szTempString - AppTitle");
        SetStatusTitle(appTitle);
    }

    LogAddValue(kKeyCommandLine, commandLine);
    if (handOff != 0) LogAddValue(kKeyCommandWinTitle, windowTitle);
    LogWrite();
    DWORD result = ERROR_SUCCESS;
    if (commandLine[0] != '\0') {
        DebugBox(commandLine, "szTempBuffer");
        if (StartAndWait(commandLine, result)) {
            g_shell.resultIsExitCode = 1;
            if (handOff != 0) WaitForHandOff(windowTitle);
        }
    }

    if (showStatus != 0) DestroyStatusWindow();
    return result;
}
