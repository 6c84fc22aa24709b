// Waiting while serving the thread's messages.
#include "ui/message_pump.h"

// Every kind of message the thread can be woken for. The headers' QS_ALLINPUT also names
// raw input, which Windows 95, NT 4 and 2000 reject as an invalid parameter.
static const DWORD kAllMessages = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE |
                                  QS_TIMER | QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY;

// Handles everything queued now. Sent messages are handled inside PeekMessageA itself. A quit
// message is dropped: nothing in the run is ended by one, and left pending it would close every
// later message box at once.
static void ServeMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
}

DWORD WaitServingMessages(HANDLE object, DWORD timeoutMs) {
    DWORD count = object != nullptr ? 1 : 0;
    DWORD start = GetTickCount();
    for (;;) {
        // The wait wakes only for messages that arrive after the queue was last looked at, so
        // it is emptied first.
        ServeMessages();
        DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs) return WAIT_TIMEOUT;
        DWORD result =
            MsgWaitForMultipleObjects(count, &object, FALSE, timeoutMs - waited, kAllMessages);
        if (result == WAIT_OBJECT_0 && count == 1) return WAIT_OBJECT_0;
        if (result == WAIT_OBJECT_0 + count) continue;  // messages: serve them, wait on
        if (result == WAIT_TIMEOUT) return WAIT_TIMEOUT;
        return WAIT_FAILED;
    }
}

void PauseServingMessages(DWORD ms) {
    // Should the wait itself fail, the pause still lasts: the window search must not spin.
    if (WaitServingMessages(nullptr, ms) == WAIT_FAILED) Sleep(ms);
}
