// The run-wide state: one static record that lives as long as the process.
#pragma once

#include <windows.h>

#include "base/sizes.h"

struct ShellState {
    int debug;   // option /d: every DebugBox is shown
    int reboot;  // option /r: restart request after the last command
    int del;     // option /x: delete the program's own file after the last command
    char CmdLineCopy[kOwnCommandLineSize];  // the full command line; upper-cased by LocateStartDir
    char TempPath[kPathSize];               // temporary directory without its trailing separator
    // What "%CURRENTDRIVE%" stands for: a drive letter and colon, or with /t the whole temporary
    // directory, or what follows /cd:.
    char szDriveLetter[kPathSize];
    char StartDir[kPathSize];         // directory the program was started from, upper-cased
    char ConfigPath[kPathSize];       // full path of tarnwick.cfg; empty when not located
    char szWindowCaption[kPathSize];  // status text drawn into the status window
    // The program's own path as typed in its command line, unquoted: the source of the start
    // directory's typed spelling in ConfigPath. (The /x step deletes the file the program was
    // loaded from, whatever its command line says.)
    char DeleteName[kOwnCommandLineSize];
    HINSTANCE instance;
    int showCommand;
    char windowTitle[kResStringSize];      // string 103
    char windowClassName[kResStringSize];  // string 109
    HWND statusWindow;                     // zero while no status window exists
    HWND progressBar;
    int ProgressStep;        // survives across status windows for the whole run
    HMODULE commonControls;  // loaded from the system directory for the first status window
    char SectionNames[kSectionNamesSize];  // the script's section names, for bounding the count
    int exitCodes;                         // option /e: the exit code says how the run went
    // Option /l: the log's path as given (quotes removed), and the open log; null without one.
    char LogPath[kPathSize];
    HANDLE log;
    char LogLine[kLogLineSize];  // the log line being built; empty when none is pending
    // How the run went so far: the first failing result, and whether a program asked for a
    // restart (3010) or started one (1641).
    int failed;
    DWORD firstFailure;
    int restartNeeded;
    int restartStarted;
    int resultIsExitCode;  // the last command's result is a started program's exit code
};

extern ShellState g_shell;
