// Command type 1: start a program and wait for it, optionally under the status window and
// until a hand-off installer's window has closed.
#include "commands/run_program.h"

#include "base/script_keys.h"
#include "base/debug_box.h"
#include "base/scoped_handle.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "commands/process_tree.h"
#include "script/ini_read.h"
#include "ui/message_pump.h"
#include "ui/status_window.h"

enum : DWORD {
    kHeartbeatMs = 100,      // one progress step per this much waiting
    kHandOffPauseMs = 2000,  // time a hand-off installer gets to open its window
    kSearchPauseMs = 100,    // between two searches for that window
    // How long the tree's last news may lag behind the end of a process waited for.
    kTreeNewsMs = 50,
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

// Starts `commandLine` (which the platform may write into) with creation `flags`, passing the
// program's own start-up information on unchanged.
static bool Start(char* commandLine, DWORD flags, PROCESS_INFORMATION* process) {
    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    return CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                          &startup, process) != FALSE;
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
            if (TreeEnded(tree, 0)) return true;
        } else if (WaitServingMessages(waited, left) == WAIT_TIMEOUT) {
            StepStatusWindow();
        } else {
            // A failed wait counts as the program's end: it would fail again at once.
            if (tree == nullptr || TreeEnded(tree, kTreeNewsMs)) return true;
            waited = nullptr;
        }
    }
}

// Starts `commandLine` and waits for it (with `waitTree`, for every process it starts in turn
// too). Returns false when nothing could be started; `result` is then the reason, else the
// program's exit code, or ERROR_TIMEOUT when the limit passed first.
static bool StartAndWait(char* commandLine, bool waitTree, TimeLimit* limit, DWORD* result) {
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
        ReportNotStarted(commandLine, *result);
        return false;
    }
    ScopedHandle thread(process.hThread);
    ScopedHandle waited(process.hProcess);
    if (inTree) /* count = */
        ResumeThread(process.hThread);
    if (!WaitForProgram(process.hProcess, inTree ? &tree : nullptr, *limit)) {
        *result = ERROR_TIMEOUT;
    } else if (!GetExitCodeProcess(process.hProcess, result)) {
        *result = GetLastError();
    }
    if (inTree) CloseProcessTree(&tree);
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
// that one's window has gone too. False when the time limit passed first.
static bool WaitForWindowToClose(const char* title, const TimeLimit& limit) {
    while (OtherWindowTitled(title)) {
        DWORD left = TimeLeft(limit, kSearchPauseMs);
        if (left == 0) return false;
        PauseServingMessages(left);
    }
    return true;
}

// The hand-off pause and the window wait, within the time limit: false when it passed first.
static bool WaitForHandOff(const char* title, const TimeLimit& limit) {
    DWORD pause = TimeLeft(limit, kHandOffPauseMs);
    PauseServingMessages(pause);
    if (pause < kHandOffPauseMs) return false;
    // An empty title would match any untitled window of any program.
    return title[0] == '\0' || WaitForWindowToClose(title, limit);
}

// The time limit COMMANDTIMEOUT sets, in milliseconds; INFINITE for none (absent, 0 or less).
static DWORD LimitMs(int seconds) {
    if (seconds <= 0) return INFINITE;
    DWORD capped = static_cast<DWORD>(seconds) < kMaxLimitSeconds ? static_cast<DWORD>(seconds)
                                                                  : kMaxLimitSeconds;
    return capped * 1000;
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
    bool waitTree = ReadIniInt(section, kKeyCommandWaitTree, 0) != 0;
    TimeLimit limit = {0, LimitMs(ReadIniInt(section, kKeyCommandTimeout, 0))};

    if (showStatus != 0) {
        CreateStatusWindow();
        char appTitle[kPathSize];
        ReadIniString(kMainSectionUpper, kKeyAppTitle, "", appTitle, kPathSize);
        DebugBox(appTitle, "szTempString - AppTitle");
        SetStatusTitle(appTitle);
    }

    DWORD result = ERROR_SUCCESS;
    if (commandLine[0] != '\0') {
        DebugBox(commandLine, "szTempBuffer");
        if (StartAndWait(commandLine, waitTree, &limit, &result) && handOff != 0 &&
            result != ERROR_TIMEOUT && !WaitForHandOff(windowTitle, limit)) {
            result = ERROR_TIMEOUT;
        }
    }

    if (showStatus != 0) DestroyStatusWindow();
    /* The command's result goes nowhere yet. */ (void)result;
}
