// The two optional steps after the last command: restart request and self-deletion.
#pragma once

#include <windows.h>

// Asks the system to restart; on NT-family systems the shutdown privilege is enabled first.
// Returns 0 when the system took the request, else its error.
DWORD RequestRestart();

// Deletes the file the program was loaded from; a file in use is marked for deletion at the next
// restart where the platform supports that. Returns 0 when deleted, 3010 when marked for the
// restart, else the error that kept it (87 for a path too long to be taken whole).
DWORD DeleteNamedFile();
