// The run-wide state: one static record that lives as long as the process.
#pragma once

#include <windows.h>

#include "base/sizes.h"

struct ShellState {
    int debug;   // option /d: every DebugBox is shown
    int reboot;  // option /r: restart request after the last command
    int del;     // option /x: delete the program's own file after the last command
    char CmdLineCopy[kCmdLineSize];   // the full command line; upper-cased by LocateStartDir
    char TempPath[kPathSize];         // temporary directory without its trailing separator
    char szDriveLetter[kPathSize];    // what "%CURRENTDRIVE%" stands for
    char StartDir[kPathSize];         // directory the program was started from
    char ConfigPath[kPathSize];       // full path of tarnwick.cfg; empty when not located
    char szWindowCaption[kPathSize];  // status text drawn into the status window
    char DeleteName[kCmdLineSize];    // quoted path of the file the /x step deletes
    HINSTANCE instance;
    int showCommand;
    char windowTitle[kResStringSize];      // string 103
    char windowClassName[kResStringSize];  // string 109
    HWND statusWindow;                     // zero while no status window exists
    HWND progressBar;
    int ProgressStep;                      // survives across status windows for the whole run
    char SectionNames[kSectionNamesSize];  // the script's section names, read once
};

extern ShellState g_shell;
