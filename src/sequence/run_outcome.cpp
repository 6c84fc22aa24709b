// How the run went, for option /e's exit code.
#include "sequence/run_outcome.h"

#include "base/shell_state.h"

// Windows Installer's "installed"; the headers this is built with do not name it.
enum : DWORD { kInstallSuccess = 1707 };

Outcome OutcomeOf(DWORD result) {
    switch (result) {
        case ERROR_SUCCESS:
        case kInstallSuccess:
            return Outcome::kSuccess;
        case ERROR_SUCCESS_REBOOT_REQUIRED:
            return Outcome::kRestartNeeded;
        case ERROR_SUCCESS_REBOOT_INITIATED:
            return Outcome::kRestartStarted;
        default:
            return Outcome::kFailure;
    }
}

const char* OutcomeText(Outcome outcome) {
    static const char* const kTexts[] = {"success", "success, restart needed",
                                         "success, restart started", "failure"};
    return kTexts[static_cast<int>(outcome)];
}

void NoteResult(DWORD result) {
    switch (OutcomeOf(result)) {
        case Outcome::kSuccess:
            break;
        case Outcome::kRestartNeeded:
            g_shell.restartNeeded = 1;
            break;
        case Outcome::kRestartStarted:
            g_shell.restartStarted = 1;
            break;
        case Outcome::kFailure:
            if (!g_shell.failed) g_shell.firstFailure = result;
            g_shell.failed = 1;
            break;
    }
}

DWORD RunExitCode() {
    if (g_shell.failed) return g_shell.firstFailure;
    if (g_shell.restartStarted) return ERROR_SUCCESS_REBOOT_INITIATED;
    if (g_shell.restartNeeded) return ERROR_SUCCESS_REBOOT_REQUIRED;
    return ERROR_SUCCESS;
}
