// Test helper: tells every top-level window that a setting changed, and waits for all of them
// to answer, as installers do after changing the environment. With a title, it first shows a
// window of that title for DELAY ms (a hand-off installer's window) and closes it afterwards.
// Its record spans the broadcast.
// usage: broadcaster.exe LOGFILE NAME [TITLE DELAY]
#include <stdlib.h>

#include "record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 99;
    HWND window = nullptr;
    if (__argc >= 5) {
        window = MakeTitledWindow(__argv[3], false);
        PumpFor(static_cast<DWORD>(atoi(__argv[4])));
    }
    DWORD start = GetTickCount();
    SendMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"));
    AppendRecord(__argv[1], __argv[2], start, GetTickCount());
    if (window != nullptr) DestroyWindow(window);
    return 0;
}
