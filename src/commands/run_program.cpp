// Command type 1: start a program and wait for it, optionally under the status window and
// until a hand-off installer's window has closed.
#include "commands/run_program.h"

#include "base/script_keys.h"
#include "base/debug_box.h"
#include "base/scoped_handle.h"
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

// In debug mode, says that `commandLine` could not be started and why.
static void ReportNotStarted(const char* commandLine, DWORD error) {
    char reason[kPathSize];
    DWORD len = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                               error, 0, reason, kPathSize, nullptr);
    if (len == 0) {
        TextCopy(reason, kPathSize, "Error ");
        TextAppendInt(reason, kPathSize, static_cast<int>(error));
    }
    // The command line, then the reason on a line of its own.
    enum : int { kTextSize = kCommandLineKeySize + 2 + kPathSize };
    char text[kTextSize];
    TextCopy(text, kTextSize, commandLine);
    TextAppend(text, kTextSize, "\r\n");
    TextAppend(text, kTextSize, reason);
    DebugBox(text, "Program not started");
}

// Starts `commandLine` (which the platform may write into) and waits until it has ended,
// stepping the status window meanwhile. Returns false when nothing could be started.
static bool StartAndWait(char* commandLine) {
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
        ReportNotStarted(commandLine, GetLastError());
        return false;
    }
    ScopedHandle thread(process.hThread);
    ScopedHandle waited(process.hProcess);
    // A failed wait ends the loop as an ended program does: it would fail again at once.
    while (WaitServingMessages(process.hProcess, kHeartbeatMs) == WAIT_TIMEOUT) StepStatusWindow();
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

// A hand-off installer starts its real work in a second process and exits early: wait until
// that one's window has gone too.
static void WaitForWindowToClose(const char* title) {
    while (OtherWindowTitled(title)) PauseServingMessages(kSearchPauseMs);
}

void RunProgram(const char* section) {
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

    if (commandLine[0] != '\0') {
        DebugBox(commandLine, "szTempBuffer");
        if (StartAndWait(commandLine) && handOff != 0) {
            PauseServingMessages(kHandOffPauseMs);
            // An empty title would match any untitled window of any program.
            if (windowTitle[0] != '\0') WaitForWindowToClose(windowTitle);
        }
    }

    if (showStatus != 0) DestroyStatusWindow();
}
