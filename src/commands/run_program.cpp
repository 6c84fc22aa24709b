// Command type 1: start a program and wait for it (or for every process it starts in turn),
// optionally under the status window, until a hand-off installer's window has closed, and
// within a time limit.
#include "commands/run_program.h"

#include "base/debug_box.h"
#include "base/run_log.h"
#include "base/scoped_handle.h"
#include "base/script_keys.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "commands/process_tree.h"
#include "commands/program_search.h"
#include "script/ini_read.h"
#include "ui/message_pump.h"
#include "ui/status_window.h"

enum : DWORD {
    kHeartbeatMs = 100,          // one progress step per this much waiting
    kHandOffPauseMs = 2000,      // time a hand-off installer gets to open its window
    kSearchPauseMs = 100,        // between two searches for that window
    kMaxLimitSeconds = 4294967,  // the longest COMMANDTIMEOUT whose milliseconds a DWORD holds
};

// The most a command may wait, counted from the start of its program: for the program, its
// process tree, the hand-off pause and the hand-off window together.
struct TimeLimit {
    DWORD start;
    DWORD ms;  // INFINITE: no limit
};

// The milliseconds left before the limit, at most `most`; 0 once it has passed.
static DWORD TimeLeft(const TimeLimit& limit, DWORD most) {
    if (limit.ms == INFINITE) return most;
    DWORD waited = GetTickCount() - limit.start;
    DWORD left = waited < limit.ms ? limit.ms - waited : 0;
    return left < most ? left : most;
}

// Starts `commandLine` (which the platform may write into) with creation `flags`, passing the
// program's own start-up information on unchanged.
static bool Start(char* commandLine, DWORD flags, PROCESS_INFORMATION* process) {
    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    // A program of the system folders is named to Windows by its full path, so that a file of
    // its name in the current directory is not taken; the command line stays as written.
    char systemProgram[kPathSize];
    const char* application =
        SystemProgramPath(commandLine, systemProgram) ? systemProgram : nullptr;
    return CreateProcessA(application, commandLine, nullptr, nullptr, FALSE, flags, nullptr,
                          nullptr, &startup, process) != FALSE;
}

// Starts the program suspended inside `tree`, so that nothing it starts escapes the tree. This
// program may itself run in a job that takes no nested one (before Windows 8), as deployment
// tools do: the program is then started again breaking away from that job, where the job
// allows it. False when the program is not in the tree; it is then not running either.
static bool StartInTree(char* commandLine, ProcessTree* tree, PROCESS_INFORMATION* process) {
    DWORD flags = CREATE_SUSPENDED;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Start(commandLine, flags, process)) return false;
        if (AddToTree(tree, process->hProcess)) return true;
        // Suspended since its start, it has not run a single instruction of its own.
        /* ok = */ TerminateProcess(process->hProcess, ERROR_CANCELLED);
        /* ok = */ CloseHandle(process->hThread);
        /* ok = */ CloseHandle(process->hProcess);
        flags |= CREATE_BREAKAWAY_FROM_JOB;
    }
    return false;
}

// Waits until the program has ended and, with a tree, until every process in the tree has,
// stepping the status window meanwhile. False when the time limit passed first.
static bool WaitForProgram(HANDLE process, ProcessTree* tree, const TimeLimit& limit) {
    HANDLE waited = process;
    for (;;) {
        DWORD left = TimeLeft(limit, kHeartbeatMs);
        if (left == 0) return false;
        if (waited == nullptr) {
            // The program has ended, processes it started have not: the port is read each step.
            PauseServingMessages(left);
            StepStatusWindow();
            if (TreeEnded(tree)) return true;
        } else if (WaitServingMessages(waited, left) == WAIT_TIMEOUT) {
            StepStatusWindow();
        } else {
            // A failed wait counts as the program's end: it would fail again at once.
            if (tree == nullptr || TreeEnded(tree)) return true;
            waited = nullptr;
        }
    }
}

// How a program's wait ended.
enum class WaitEnd { kNotStarted, kEnded, kTimedOut };

// Starts `commandLine` and waits for it (with `waitTree`, for every process it starts in turn
// too), within `limit`, which starts now. `result` is the program's exit code once it has
// ended, or the Windows error that kept it from starting.
static WaitEnd StartAndWait(char* commandLine, bool waitTree, TimeLimit* limit, DWORD* result) {
    PROCESS_INFORMATION process;
    ProcessTree tree;
    bool inTree = waitTree && OpenProcessTree(&tree);
    limit->start = GetTickCount();
    if (inTree && !StartInTree(commandLine, &tree, &process)) {
        // No nested job and no breaking away: the program runs in this program's own job.
        CloseProcessTree(&tree);
        inTree = false;
    }
    if (!inTree && !Start(commandLine, 0, &process)) {
        *result = GetLastError();
        DebugBoxError(commandLine, *result, "Program not started");
        return WaitEnd::kNotStarted;
    }
    ScopedHandle thread(process.hThread);
    ScopedHandle waited(process.hProcess);
    if (inTree) /* count = */
        ResumeThread(process.hThread);
    bool ended = WaitForProgram(process.hProcess, inTree ? &tree : nullptr, *limit);
    if (inTree) CloseProcessTree(&tree);
    if (waitTree) {
        LogBegin(inTree ? "waited for the process tree"
                        : "no job object: waited for the program only");
        LogWrite();
    }
    if (!ended) return WaitEnd::kTimedOut;
    if (!GetExitCodeProcess(process.hProcess, result)) *result = GetLastError();
    return WaitEnd::kEnded;
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
// for it to open its window, wait until that window has gone too, within the time limit (false
// when it passed first). The log tells whether the window was seen and how long the wait took.
static bool WaitForHandOff(const char* title, const TimeLimit& limit) {
    DWORD started = GetTickCount();
    DWORD pause = TimeLeft(limit, kHandOffPauseMs);
    PauseServingMessages(pause);
    bool inTime = pause == kHandOffPauseMs;
    bool seen = false;
    // An empty title would match any untitled window of any program.
    while (inTime && title[0] != '\0' && OtherWindowTitled(title)) {
        seen = true;
        DWORD left = TimeLeft(limit, kSearchPauseMs);
        inTime = left != 0;
        PauseServingMessages(left);
    }
    DWORD ms = GetTickCount() - started;
    LogBegin("hand-off: window");
    LogAddValue(kKeyCommandWinTitle, title);
    LogAdd(" %s, waited %lu.%03lu s",
           seen ? (inTime ? "seen and closed" : "seen, still open") : "not seen", ms / 1000,
           ms % 1000);
    LogWrite();
    return inTime;
}

// The time limit COMMANDTIMEOUT sets, in milliseconds; INFINITE for none (absent, 0 or less).
static DWORD LimitMs(int seconds) {
    if (seconds <= 0) return INFINITE;
    DWORD capped = static_cast<DWORD>(seconds) < kMaxLimitSeconds ? static_cast<DWORD>(seconds)
                                                                  : kMaxLimitSeconds;
    return capped * 1000;
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
    // How to wait matters only when there is a program to wait for; a script of many empty
    // commands is read no slower for it.
    bool waitTree = false;
    TimeLimit limit = {0, INFINITE};
    if (commandLine[0] != '\0') {
        waitTree = ReadIniInt(section, kKeyCommandWaitTree, 0) != 0;
        limit.ms = LimitMs(ReadIniInt(section, kKeyCommandTimeout, 0));
    }

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
        WaitEnd end = StartAndWait(commandLine, waitTree, &limit, &result);
        if (end == WaitEnd::kEnded) {
            g_shell.resultIsExitCode = 1;
            if (handOff != 0 && !WaitForHandOff(windowTitle, limit)) end = WaitEnd::kTimedOut;
        }
        if (end == WaitEnd::kTimedOut) {
            // What the command waited for is left running: an installer ended half-way can
            // leave a product that neither works nor uninstalls.
            LogBegin("time limit of %lu s passed; left running", limit.ms / 1000);
            LogWrite();
            g_shell.resultIsExitCode = 0;
            result = ERROR_TIMEOUT;
        }
    }

    if (showStatus != 0) DestroyStatusWindow();
    return result;
}
