// The sample disc's "setup.exe": stands in for a real installer by working a few seconds, so
// that the demo shows the status window while a program runs. Options are accepted and ignored.
#include "record.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    PumpFor(3000);
    return 0;
}
