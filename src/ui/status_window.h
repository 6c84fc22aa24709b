// The status window: a small titled window with one line of status text and a progress bar
// that keeps moving while a started program runs.
#pragma once

#include <windows.h>

// Advances the progress bar by one step; both parameters 0.
enum : UINT { WM_STATUSSTEP = WM_USER + 55 };

// Registers the class, creates the window and its bar and shows it, centred on the desktop. On
// failure g_shell.statusWindow stays zero.
void CreateStatusWindow();

// Titles the status window, if there is one.
void SetStatusTitle(const char* title);

// One heartbeat: the window draws g_shell.szWindowCaption afresh and moves its bar on by one
// step. Nothing happens when there is no window.
void StepStatusWindow();

// Destroys the status window if there is one.
void DestroyStatusWindow();
