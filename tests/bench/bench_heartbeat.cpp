// Benchmark watcher: follows the status window's progress bar (through PBM_GETPOS) for as long
// as the window exists and records the steps counted and the time they took.
// usage: bench_heartbeat.exe LOGFILE NAME
#include "../helpers/record.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 99;
    // The bar is made just after its window: wait for both.
    HWND bar = nullptr;
    for (int i = 0; i < 3000 && bar == nullptr; ++i) {
        HWND status = FindWindowA("LANTHORN", nullptr);
        if (status != nullptr) bar = FindWindowExA(status, nullptr, PROGRESS_CLASSA, nullptr);
        if (bar == nullptr) Sleep(10);
    }
    if (bar == nullptr) return 98;
    int last = static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0));
    int steps = 0;
    DWORD firstChange = 0;
    DWORD lastChange = 0;
    while (IsWindow(bar)) {
        Sleep(5);
        DWORD_PTR pos = 0;
        if (!SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, 1000, &pos)) break;
        int now = static_cast<int>(pos);
        if (now == last) continue;
        DWORD tick = GetTickCount();
        if (firstChange == 0) {
            firstChange = tick;  // the steps are counted from here on
        } else {
            steps += (now - last + 101) % 101;
        }
        lastChange = tick;
        last = now;
    }
    char name[256];
    snprintf(name, sizeof(name), "%s_steps%d", __argv[2], steps);
    AppendRecord(__argv[1], name, firstChange, lastChange);
    return 0;
}
