// The program's own entry: options, start directory, the script, and the final steps.
#include "app/tarnwick_main.h"

#include "app/command_line.h"
#include "app/final_steps.h"
#include "app/locate_start_dir.h"
#include "base/debug_box.h"
#include "base/known_dirs.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "sequence/command_sequencer.h"

static const char kVersion[] = "Version 2.0 RT3.1 Quillon CD Release (8/14/99 1:36AM)";
static const char kProgramName[] = "tarnwick.exe";
static const char kScriptName[] = "\\tarnwick.cfg";

static void FillDriveLetter(int argsOffset) {
    char currentDir[kPathSize];
    FetchCurrentDir(currentDir);
    DriveFromProgramPath(g_shell.CmdLineCopy, currentDir, g_shell.szDriveLetter, kPathSize);

    const char* args = g_shell.CmdLineCopy + argsOffset;
    if (HasOption(args, "/T")) {
        DebugBox(g_shell.TempPath, "TempPath");
        TextCopy(g_shell.szDriveLetter, kPathSize, g_shell.TempPath);
    }
    // Applied after /T, so that /CD: wins.
    DriveFromCdOption(args, g_shell.szDriveLetter, kPathSize);
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
    // Options are looked for in the arguments only, never inside the program's own path.
    int argsOffset = ArgumentsOffset(g_shell.CmdLineCopy);
    const char* args = g_shell.CmdLineCopy + argsOffset;
    if (HasOption(args, "/d") || HasOption(args, "/D")) g_shell.debug = 1;
    if (HasOption(args, "/r") || HasOption(args, "/R")) g_shell.reboot = 1;
    DebugBox(kVersion, "Version");
    DebugBox(g_shell.CmdLineCopy, "lpCmdLine");
    if (HasOption(args, "/x") || HasOption(args, "/X")) g_shell.del = 1;

    bool located = LocateStartDir(g_shell.CmdLineCopy, g_shell.StartDir, kProgramName);
    FillDriveLetter(argsOffset);
    FillConfigPath(located);

    g_shell.instance = instance;
    g_shell.showCommand = showCommand;

    RunCommandList();

    if (g_shell.reboot) RequestRestart();
    if (g_shell.del) DeleteNamedFile();
    return 0;
}
