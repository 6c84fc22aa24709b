#!/usr/bin/env python3
# By hand, not part of `make test`: injects realistic faults into the sources one at a time,
# builds, runs the tests named for each, prints which of them failed (the fault was caught),
# and puts the sources back. Run it in a clean clone with a configured build/ directory: it
# refuses a tree with changes, since it reverts with git. BUILD names the build directory to use
# (build/x64 where the machine runs 64-bit code only).
# usage: [BUILD=build/x64] fault_injection.py CLONE [FAULT-ID...]
import os
import re
import subprocess
import sys

W = sys.argv[1]
ONLY = set(sys.argv[2:])
BUILD = os.environ.get("BUILD", "build")
if subprocess.run("git status --porcelain", shell=True, cwd=W, capture_output=True,
                  text=True).stdout.strip():
    sys.exit("the tree has changes: use a clean clone")

def edit(path, old, new):
    return (path, old, new)

F = [
 # The survivors of the earlier review.
 ("S1 type 3 without REGKEY not guarded", [edit("src/commands/registry_commands.cpp",
   '''    ReadIniString(section, "REGKEY", "", key, kPathSize);
    if (NamesNoKey(key)) return;
    /* rc = */ RegDeleteKeyA''', '''    ReadIniString(section, "REGKEY", "", key, kPathSize);
    /* rc = */ RegDeleteKeyA''')], "RegistryRoot|RegistryCommands|Faults"),
 ("S2 hand-off pause 200 ms", [edit("src/commands/run_program.cpp", "kHandOffPauseMs = 2000", "kHandOffPauseMs = 200")], "RunProgram|Faults"),
 ("S3 restart becomes log-off", [edit("src/app/final_steps.cpp", "ExitWindowsEx(EWX_REBOOT,", "ExitWindowsEx(EWX_LOGOFF,")], "Restart"),
 ("S4 /x found anywhere", [edit("src/app/tarnwick_main.cpp", 'if (HasOption(args, "/x") || HasOption(args, "/X"))', 'if (HasOption(g_shell.CmdLineCopy, "/x") || HasOption(g_shell.CmdLineCopy, "/X"))')], "Options|FinalSteps"),
 ("S5 WM_CLOSE to the default handler", [edit("src/ui/status_window.cpp", '''        case WM_CLOSE:
            // The window goes when its command ends, not at the user's request (Alt+F4).
            return 0;
''', "")], "StatusWindow|Screen"),
 ("S6a a tab does not end the name (start directory)", [edit("src/app/start_dir.cpp", "after == ' ' || after == '\\t'", "after == ' '")], "Options|TextLogic"),
 ("S6b a tab does not end the path (arguments)", [edit("src/app/command_line.cpp", "cmdLine[i] != ' ' && cmdLine[i] != '\\t'", "cmdLine[i] != ' '")], "Options|TextLogic"),
 ("S7 waits not woken by sent messages", [edit("src/ui/message_pump.cpp", "QS_TIMER | QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY", "QS_TIMER | QS_PAINT | QS_HOTKEY")], "RunProgram|StatusWindow"),
 # The four fixes undone.
 ("B1a sections listed once, before the first command", [edit("src/sequence/command_sequencer.cpp", """        if (number > highest) {
            highest = HighestSectionNow(count);
            if (number > highest) return;
        }""", """        if (i == 0) highest = HighestSectionNow(count);
        if (number > highest) return;""")], "Script|BadScripts"),
 ("B1b an empty name ends the list", [edit("src/sequence/command_sections.cpp", "for (int at = 0; at < length;", "for (int at = 0; at < length && names[at] != '\\0';")], "Script|TextLogic|BadScripts"),
 ("B1c names matched strictly (no blanks)", [edit("src/sequence/command_sections.cpp", "            } else if (IsAsciiLetter(c) || (c >= '0' && c <= '9')) {", "            } else {")], "Script|TextLogic|BadScripts"),
 ("B3 drive from the current directory keeps its case", [edit("src/app/command_line.cpp", "    TextUpperAscii(text);\n    TextCopy(out, size, text);", "    TextCopy(out, size, text);")], "Options|Macros"),
 ("B4 comctl32 imported and initialised at entry", [
    edit("CMakeLists.txt", "advapi32 gdi32 gcc)", "advapi32 gdi32 comctl32 gcc)"),
    edit("src/app/tarnwick_main.cpp", '#include "app/command_line.h"', '#include <commctrl.h>\n\n#include "app/command_line.h"'),
    edit("src/app/tarnwick_main.cpp", "    g_shell.instance = instance;", "    InitCommonControls();\n    g_shell.instance = instance;"),
    edit("tests/win95_nt4_imports.txt", "advapi32.dll!RegSetValueExA\n", "advapi32.dll!RegSetValueExA\ncomctl32.dll!InitCommonControls\n")], "StatusWindow"),
 # Faults of our own across the program.
 ("O1 %TEMP% keeps its trailing separator", [edit("src/base/known_dirs.cpp", "out[len > 0 ? len - 1 : 0] = '\\0';", "out[len] = '\\0';")], "Macros|FileCommands|Options"),
 ("O2 %CURRENTDRIVE% replaced before %TEMP%", [edit("src/script/substitute_macros.cpp", '''    ReplaceFirst(input, "%TEMP%", tempDir, working, kExpandedSize);
    ReplaceFirst(working, "%CURRENTDRIVE%", driveLetter, out, size);''', '''    ReplaceFirst(input, "%CURRENTDRIVE%", driveLetter, working, kExpandedSize);
    ReplaceFirst(working, "%TEMP%", tempDir, out, size);''')], "Macros|SubstituteMacros"),
 ("O3 value stored one byte too long", [edit("src/commands/registry_commands.cpp", "TextLen(data) + 1", "TextLen(data) + 2")], "RegistryCommands|Macros"),
 ("O4 type 5 creates a missing key", [edit("src/commands/registry_commands.cpp", "RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &opened.key)", "RegCreateKeyA(HKEY_LOCAL_MACHINE, key, &opened.key)")], "RegistryCommands|Faults"),
 ("O5 copy refuses an existing destination", [edit("src/commands/file_commands.cpp", "CopyFileA(source, dest, FALSE)", "CopyFileA(source, dest, TRUE)")], "FileCommands|Faults|Versions"),
 ("O6 bar wraps after 99", [edit("src/ui/status_window.cpp", "kStepsPerRound = 100,", "kStepsPerRound = 99,")], "StatusWindow"),
 ("O7 window placed off centre", [edit("src/ui/status_window.cpp", "int y = (screen.bottom - screen.top - kHeight) / 2;", "int y = (screen.bottom - screen.top - kWidth) / 2;")], "StatusWindow|Screen"),
 ("O8 no COMMANDTYPE reads as 0", [edit("src/sequence/command_sequencer.cpp", 'ReadIniInt(section, "COMMANDTYPE", 1)', 'ReadIniInt(section, "COMMANDTYPE", 0)')], "Script|BadScripts|RunProgram"),
 ("O9 APPTITLE read from the command's section", [edit("src/commands/run_program.cpp", 'ReadIniString("TARNWICK", "APPTITLE"', 'ReadIniString(section, "APPTITLE"')], "StatusWindow|RunProgram"),
 ("O10 one search for the hand-off window", [edit("src/commands/run_program.cpp", "while (OtherWindowTitled(title)) PauseServingMessages", "if (OtherWindowTitled(title)) PauseServingMessages")], "RunProgram|Faults|StatusWindow"),
 ("O11 /CD: takes three characters", [edit("src/app/command_line.cpp", "TextCopyN(out, size, found + 4, 2);", "TextCopyN(out, size, found + 4, 3);")], "Options|Macros"),
 ("O12 a default of one blank comes back as a blank", [edit("src/script/ini_read.cpp", "trimmed[len - 1] == ' '", "trimmed[len - 1] == '\\t'")], "IniRead|RunProgram|Script"),
 ("O13 unquoted program path keeps its arguments", [edit("src/app/command_line.cpp", "    TextCopyN(out, size, cmdLine, ArgumentsOffset(cmdLine));", "    TextCopy(out, size, cmdLine);")], "FinalSteps|Options"),
 ("O14 status window left after its command", [edit("src/commands/run_program.cpp", "    if (showStatus != 0) DestroyStatusWindow();", "")], "StatusWindow|RunProgram"),
 ("O15 type 7 makes a directory", [edit("src/sequence/command_table.cpp", "{7, RemoveDir},", "{7, CreateDir},")], "FileCommands|Faults|Versions"),
 ("O17 a step moves the bar without drawing the status text", [edit("src/ui/status_window.cpp", """    if (dc != nullptr) {
        DrawCaption(window, dc);
        ReleaseDC""", """    if (dc != nullptr) {
        ReleaseDC""")], "StatusWindow|Screen"),
 ("O18 comctl32 loaded by its bare name", [edit("src/base/system_library.cpp", "    return LoadLibraryA(path);", "    return LoadLibraryA(fileName);")], "StatusWindow"),
 ("O19 quoted program path split at the wrong character", [edit("src/app/command_line.cpp", "SplitAtChar(cmdLine + 1, out, size, rest, 1, '\"')", "SplitAtChar(cmdLine + 1, out, size, rest, 1, ' ')")], "FinalSteps|Options|Script"),
 ("O16 no heartbeat", [edit("src/commands/run_program.cpp", "== WAIT_TIMEOUT) StepStatusWindow();", "== WAIT_TIMEOUT) {\n    }")], "StatusWindow|Screen"),
 # The held-out set of the second review.
 ("H1a status text shows the window's title", [edit("src/ui/status_window.cpp", "DrawTextA(dc, g_shell.szWindowCaption,", "DrawTextA(dc, g_shell.windowTitle,")], "Screen"),
 ("H1b WM_PAINT does not draw the status text", [edit("src/ui/status_window.cpp", """    HDC dc = BeginPaint(window, &paint);
    DrawCaption(window, dc);""", """    HDC dc = BeginPaint(window, &paint);
    (void)dc;""")], "Screen"),
 ("H2a start directory not found taken as found", [edit("src/app/locate_start_dir.cpp", """        MessageBoxA(nullptr, "Error in locating starting directory", "Error", MB_OK);
        return false;""", """        MessageBoxA(nullptr, "Error in locating starting directory", "Error", MB_OK);
        return true;""")], "Options"),
 ("H2b start directory not found taken as the current one", [edit("src/app/locate_start_dir.cpp", """        MessageBoxA(nullptr, "Error in locating starting directory", "Error", MB_OK);
        return false;""", """        MessageBoxA(nullptr, "Error in locating starting directory", "Error", MB_OK);
        FetchCurrentDir(out);
        return true;""")], "Options"),
 ("H3a waits not woken by posted messages", [edit("src/ui/message_pump.cpp", "QS_MOUSEBUTTON | QS_POSTMESSAGE |", "QS_MOUSEBUTTON |")], "RunProgram.HandOffPause"),
 ("H3b waits not woken by paint requests", [edit("src/ui/message_pump.cpp", "QS_TIMER | QS_PAINT | QS_SENDMESSAGE", "QS_TIMER | QS_SENDMESSAGE")], "RunProgram.HandOffPause"),
 # H3c and H3d are not caught: under Wine a wait wakes at once for a message that came while the
 # queue was not looked at, so serving only after a wake loses nothing; and a round that waits
 # its whole time-out still ends at the next wake past it, which stretches a wait by at most its
 # own length: only a timed bound near that value would tell.
 ("H3c messages served only after a wake", [edit("src/ui/message_pump.cpp", """        ServeMessages();
        DWORD waited""", """        DWORD waited"""), edit("src/ui/message_pump.cpp", "if (result == WAIT_OBJECT_0 + count) continue;", "if (result == WAIT_OBJECT_0 + count) {\n            ServeMessages();\n            continue;\n        }")], "RunProgram.HandOffPause"),
 ("H3d each round waits the whole time-out", [edit("src/ui/message_pump.cpp", "timeoutMs - waited, kAllMessages", "timeoutMs, kAllMessages")], "RunProgram.HandOffPause"),
 ("H3e the time-out starts over at each round", [edit("src/ui/message_pump.cpp", """    DWORD start = GetTickCount();
    for (;;) {""", """    for (;;) {
        DWORD start = GetTickCount();""")], "RunProgram.HandOffPause"),
 ("H4a COMMANDLINE read one character short", [edit("src/commands/run_program.cpp", "commandLine, kCommandLineKeySize);", "commandLine, kCommandLineKeySize - 1);")], "RunProgram.CommandLineOf"),
 ("H4b COMMANDLINE read past its array", [edit("src/commands/run_program.cpp", "commandLine, kCommandLineKeySize);", "commandLine, kPathSize);")], "RunProgram.CommandLineOf"),
 ("H5a shutdown privilege looked up in kernel32", [edit("src/app/final_steps.cpp", 'GetModuleHandleA("advapi32.dll")', 'GetModuleHandleA("kernel32.dll")')], "Restart"),
 ("H5b shutdown privilege looked up in user32", [edit("src/app/final_steps.cpp", 'GetModuleHandleA("advapi32.dll")', 'GetModuleHandleA("user32.dll")')], "Restart"),
 # H6a is not caught under Wine: it reports no GDI object count (Resources.Gdi... is skipped).
 ("H6a device context not released on a status step", [edit("src/ui/status_window.cpp", "        ReleaseDC(window, dc);\n", "")], "Resources|Screen"),
 ("H6b process handle never closed", [edit("src/commands/run_program.cpp", "    ScopedHandle waited(process.hProcess);\n", "")], "Resources.Handles"),
 ("H6c thread handle never closed", [edit("src/commands/run_program.cpp", "    ScopedHandle thread(process.hThread);\n", "")], "Resources.Handles"),
 ("H6d registry key never closed", [edit("src/base/scoped_handle.h", "            RegCloseKey(key);", "            (void)0;")], "Resources.Handles"),
 ("H6e thread handle closed twice", [edit("src/commands/run_program.cpp", "    ScopedHandle thread(process.hThread);\n", "    ScopedHandle thread(process.hThread);\n    CloseHandle(process.hThread);\n")], "Resources.Handles"),
 ("H6f registry key closed twice", [edit("src/base/scoped_handle.h", "            RegCloseKey(key);", "            RegCloseKey(key), RegCloseKey(key);")], "Resources.Handles"),
]

def run(cmd, **kw):
    return subprocess.run(cmd, shell=True, cwd=W, capture_output=True, text=True, **kw)

for name, edits, regex in F:
    fid = name.split()[0]
    if ONLY and fid not in ONLY: continue
    ok = True
    for path, old, new in edits:
        p = os.path.join(W, path)
        s = open(p).read()
        if old not in s:
            print(f"{name}: PATTERN NOT FOUND in {path}", flush=True); ok = False; break
        open(p, "w").write(s.replace(old, new, 1))
    if ok:
        b = run(f"cmake --build {BUILD} -j2 2>&1 | tail -3")
        if "Error" in b.stdout:
            print(f"{name}: BUILD FAILED\n{b.stdout}", flush=True)
        else:
            t = run(f"cd {BUILD} && ctest -j2 -R '{regex}' 2>&1")
            failed = re.findall(r"\d+ - (\S+) \((?:Failed|Timeout)\)", t.stdout)
            print(f"{name} | {', '.join(failed) if failed else 'NOT CAUGHT'} | ran: {regex}", flush=True)
    run("git checkout -- . && git status --short")
run(f"cmake --build {BUILD} -j2")
