// Waiting while serving the thread's messages, so that a started program that sends to every
// top-level window (a settings-change broadcast) is answered, and the status window repaints.
#pragma once

#include <windows.h>

// Waits until `object` is signalled or `timeoutMs` of waiting have passed, handling whatever is
// sent or posted to the thread meanwhile. Returns WAIT_OBJECT_0, WAIT_TIMEOUT or WAIT_FAILED.
DWORD WaitServingMessages(HANDLE object, DWORD timeoutMs);

// Lets `ms` pass while handling the thread's messages.
void PauseServingMessages(DWORD ms);
