// Test helper: has the top-level window of the given title erased and painted again, as when a
// window that covered it goes away, and waits until it has been painted. Exits with 1 when there
// is no such window or it was not painted within the time given.
// usage: repaint.exe TITLE MS
#include <stdlib.h>

#include "record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 99;
    HWND window = FindWindowA(nullptr, __argv[1]);
    if (window == nullptr) return 1;
    InvalidateRect(window, nullptr, TRUE);
    DWORD start = GetTickCount();
    while (GetUpdateRect(window, nullptr, FALSE)) {
        if (GetTickCount() - start > static_cast<DWORD>(atoi(__argv[2]))) return 1;
        Sleep(20);
    }
    return IsWindow(window) ? 0 : 1;
}
