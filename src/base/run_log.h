// The run's log, written only with option /l:PATH: plain text with CRLF line ends, appended to.
// Each line is handed to the system before the step it tells of goes on, so that a crash or a
// killed process keeps every line written before it. Without a log every call does nothing.
#pragma once

#include <windows.h>

// Opens (or makes) the log at g_shell.LogPath for appending. False when it cannot be opened; the
// system's error is then GetLastError().
bool OpenRunLog();

// Starts a new line with the local time ("hh:mm:ss ") and then, as LogAdd, the formatted text; a
// line still pending is written first.
void LogBegin(const char* format, ...);

// Adds to the pending line the text of a fixed format (wsprintfA's: %s, %d, %lu, %03lu ...)
// filled in with the arguments, up to 1,023 characters a call. Formats are literals of the
// program, never a text from the script or the command line.
void LogAdd(const char* format, ...);

// Adds ` KEY="value"` to the pending line, the value whole.
void LogAddValue(const char* key, const char* value);

// Adds a text of any length as it stands (cut where the line is full).
void LogAddText(const char* text);

// Adds the system's words for a Windows error number.
void LogAddSystemMessage(DWORD code);

// Writes the pending line and its CRLF to the log.
void LogWrite();

// Asks the system to put what was written on the disk itself: before a restart, and at the end.
void LogFlush();
