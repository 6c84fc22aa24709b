// The log's opening and closing lines, and the program's own failures.
#include "app/run_report.h"

#include "base/debug_box.h"
#include "base/known_dirs.h"
#include "base/run_log.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "sequence/run_outcome.h"

// Adds " error N: <the system's words>" to the pending log line.
static void LogAddError(DWORD error) {
    LogAdd(" error %lu: ", error);
    LogAddSystemMessage(error);
}

void OpenLog() {
    if (!OpenRunLog()) DebugBoxError(g_shell.LogPath, GetLastError(), "Log not opened");
}

void ReportRunStart(bool located, const char* upperOptions) {
    bool scriptFound = g_shell.ConfigPath[0] != '\0' &&
                       GetFileAttributesA(g_shell.ConfigPath) != INVALID_FILE_ATTRIBUTES;
    if (!located) {
        NoteResult(ERROR_PATH_NOT_FOUND);
    } else if (!scriptFound) {
        NoteResult(ERROR_FILE_NOT_FOUND);
    }

    SYSTEMTIME now;
    GetLocalTime(&now);
    LogBegin("==== tarnwick %s, run of %u-%02u-%02u", TARNWICK_VERSION, now.wYear, now.wMonth,
             now.wDay);
    LogBegin("command line: ");
    LogAddText(GetCommandLineA());
    LogBegin("start directory: %s", located ? g_shell.StartDir : "not found (error 3)");
    LogBegin("script: %s%s", g_shell.ConfigPath,
             located && !scriptFound ? " not found (error 2)" : "");
    LogBegin("options:");
    static const char* const kOptions[] = {"/D", "/R", "/X", "/E", "/T", "/CD:", "/L:"};
    for (const char* option : kOptions) {
        if (TextFind(upperOptions, option) != nullptr) LogAdd(" %s", option);
    }
    LogAdd("; %%CURRENTDRIVE%% is %s", g_shell.szDriveLetter);
    LogWrite();
}

void ReportRestartRequest() {
    LogBegin("restart requested");
    LogWrite();
    LogFlush();
}

void ReportRestart(DWORD error) {
    if (error == ERROR_SUCCESS) {
        LogBegin("restart started");
    } else {
        LogBegin("restart refused:");
        LogAddError(error);
    }
    LogWrite();
}

void ReportDeletion(DWORD result) {
    char name[kPathSize];
    /* whole = */ FetchOwnPath(name);
    LogBegin("self-delete of %s: ", name);
    if (result == ERROR_SUCCESS) {
        LogAdd("deleted");
    } else if (result == ERROR_SUCCESS_REBOOT_REQUIRED) {
        LogAdd("in use, deleted at the next restart");
    } else {
        LogAdd("not deleted:");
        LogAddError(result);
    }
    LogWrite();
}

void ReportRunEnd(DWORD exitCode) {
    LogBegin("run ends: exit code %lu (%s)", exitCode,
             g_shell.exitCodes ? OutcomeText(OutcomeOf(exitCode))
                               : "without /e the exit code is always 0");
    LogWrite();
    LogFlush();
    if (g_shell.log != nullptr) /* ok = */
        CloseHandle(g_shell.log);
    g_shell.log = nullptr;
}
