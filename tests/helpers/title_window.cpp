// Test helper: shows a top-level window with a given title for a given time, the way a hand-off
// installer's second process does. Its record ends at the moment the window is about to close.
// usage: title_window.exe TITLE VISIBLE(0|1) MS LOGFILE NAME
#include <stdlib.h>

#include "record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 6) return 99;
    HWND window = MakeTitledWindow(__argv[1], atoi(__argv[2]) != 0);
    if (window == nullptr) return 98;
    DWORD shown = GetTickCount();
    PumpFor(static_cast<DWORD>(atoi(__argv[3])));
    AppendRecord(__argv[4], __argv[5], shown, GetTickCount());
    DestroyWindow(window);
    return 0;
}
