// The two optional steps after the last command: restart request and self-deletion.
#pragma once

// Asks the system to restart; on NT-family systems the shutdown privilege is enabled first.
void RequestRestart();

// Deletes the file the program was loaded from; a file in use is marked for deletion at the next
// restart where the platform supports that.
void DeleteNamedFile();
