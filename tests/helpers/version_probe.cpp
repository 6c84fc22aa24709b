// Test helper: writes the Windows version it sees ("major.minor platform") to the file named
// on its command line. Copied under the name tarnwick.exe, it shows which version Wine reports
// to the program under that name.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR args, int) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExA(&info);
    char line[64];
    std::snprintf(line, sizeof(line), "%lu.%lu %lu", info.dwMajorVersion, info.dwMinorVersion,
                  info.dwPlatformId);
    FILE* out = std::fopen(args, "w");
    if (out == nullptr) return 1;
    std::fputs(line, out);
    std::fclose(out);
    return 0;
}
