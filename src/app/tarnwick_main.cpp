// The program's own entry: options, start directory, the script, and the final steps.
#include "app/tarnwick_main.h"

#include "app/command_line.h"
#include "app/final_steps.h"
#include "app/locate_start_dir.h"
#include "app/run_report.h"
#include "base/debug_box.h"
#include "base/known_dirs.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "sequence/command_sequencer.h"
#include "sequence/run_outcome.h"

static const char kVersion[] = "Version 2.0 RT3.1 Quillon CD Release (8/14/99 1:36AM)";
static const char kProgramName[] = "tarnwick.exe";
static const char kScriptName[] = "\\tarnwick.cfg";

// `upperOptions` are the upper-cased arguments with the options' values blanked out.
static void FillDriveLetter(const char* upperOptions, int argsOffset) {
    char currentDir[kPathSize];
    FetchCurrentDir(currentDir);
    DriveFromProgramPath(g_shell.CmdLineCopy, currentDir, g_shell.szDriveLetter, kPathSize);

    if (HasOption(upperOptions, "/T")) {
        DebugBox(g_shell.TempPath, "TempPath");
        TextCopy(g_shell.szDriveLetter, kPathSize, g_shell.TempPath);
    }
    // Applied after /T, so that /CD: wins.
    DriveFromCdOption(upperOptions, g_shell.CmdLineCopy + argsOffset, g_shell.szDriveLetter,
                      kPathSize);
    DebugBox(g_shell.szDriveLetter, "szDriveLetter");
}

// The script is opened through the start directory as it was typed where the upper-cased one
// came from the program's path: both name the same directory, but on a case-sensitive file
// system the upper-cased one makes the platform search for every name in it.
static const char* TypedStartDir() {
    const char* typed = g_shell.DeleteName;
    for (int i = 0; g_shell.StartDir[i] != '\0'; ++i) {
        char c = typed[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != g_shell.StartDir[i]) return g_shell.StartDir;
    }
    return typed;
}

// "<StartDir>\tarnwick.cfg"; left empty (no script is read) when the start directory was not
// found or the path would not fit.
static void FillConfigPath(bool located) {
    g_shell.ConfigPath[0] = '\0';
    if (!located) return;
    int len = TextLen(g_shell.StartDir);
    if (len + TextLen(kScriptName) >= kPathSize) return;
    TextCopyN(g_shell.ConfigPath, kPathSize, TypedStartDir(), len);
    TextAppend(g_shell.ConfigPath, kPathSize, kScriptName);
}

int TarnwickMain(HINSTANCE instance, HINSTANCE, const char*, int showCommand) {
    g_shell.debug = 0;
    g_shell.reboot = 0;
    g_shell.del = 0;
    FetchTempDir(g_shell.TempPath);

    TextCopy(g_shell.CmdLineCopy, kOwnCommandLineSize, GetCommandLineA());
    ProgramPathOf(g_shell.CmdLineCopy, g_shell.DeleteName, kOwnCommandLineSize);
    // Options are looked for in the arguments only, never inside the program's own path, and
    // never inside another option's value.
    int argsOffset = ArgumentsOffset(g_shell.CmdLineCopy);
    const char* args = g_shell.CmdLineCopy + argsOffset;
    char options[kOwnCommandLineSize];
    TextCopy(options, kOwnCommandLineSize, args);
    MaskOptionValues(options);
    if (HasOption(options, "/d") || HasOption(options, "/D")) g_shell.debug = 1;
    if (HasOption(options, "/r") || HasOption(options, "/R")) g_shell.reboot = 1;
    if (HasOption(options, "/e") || HasOption(options, "/E")) g_shell.exitCodes = 1;
    LogOption log = LogPathOf(options, args, g_shell.LogPath, kPathSize);
    DebugBox(kVersion, "Version");
    DebugBox(g_shell.CmdLineCopy, "lpCmdLine");
    if (HasOption(options, "/x") || HasOption(options, "/X")) g_shell.del = 1;
    if (log == LogOption::kBad) NoteResult(ERROR_INVALID_PARAMETER);
    if (log == LogOption::kGiven) OpenLog();

    bool located = LocateStartDir(g_shell.CmdLineCopy, g_shell.StartDir, kProgramName);
    TextUpperAscii(options);
    FillDriveLetter(options, argsOffset);
    FillConfigPath(located);

    g_shell.instance = instance;
    g_shell.showCommand = showCommand;

    ReportRunStart(located, options);
    RunCommandList();

    if (g_shell.reboot) {
        ReportRestartRequest();
        DWORD error = RequestRestart();
        // Asked for with /e as well, the restart is the run's own: it started (1641), or the
        // system refused it and one is still needed (3010). A failed command still comes first.
        NoteResult(error == ERROR_SUCCESS ? ERROR_SUCCESS_REBOOT_INITIATED
                                          : ERROR_SUCCESS_REBOOT_REQUIRED);
        ReportRestart(error);
    }
    if (g_shell.del) ReportDeletion(DeleteNamedFile());
    DWORD exitCode = g_shell.exitCodes ? RunExitCode() : 0;
    ReportRunEnd(exitCode);
    return static_cast<int>(exitCode);
}
