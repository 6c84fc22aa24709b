// The status window: a small titled window with one line of status text and a progress bar
// that keeps moving while a started program runs.
#pragma once

#include <windows.h>

// Advances the progress bar by one step; both parameters 0.
enum : UINT { WM_STATUSSTEP = WM_USER + 55 };

// Registers the class, creates the window and its bar and shows it, centred on the desktop. On
// failure g_shell.statusWindow stays zero.
void CreateStatusWindow();

// Destroys the status window if there is one.
void DestroyStatusWindow();

// Draws g_shell.szWindowCaption into the window's client area, as its painting does.
void DrawStatusCaption(HWND window, HDC dc);

LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
