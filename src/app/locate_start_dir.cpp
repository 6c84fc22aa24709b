// Locating the directory the program was started from, with its debug boxes and error box.
#include "app/locate_start_dir.h"

#include "app/start_dir.h"
#include "base/debug_box.h"
#include "base/known_dirs.h"
#include "base/shell_state.h"
#include "base/text.h"

bool LocateStartDir(char* text, char* out, const char* name) {
    DebugBox(text, "Vorn");
    TextUpperAscii(text);
    char upperName[kPathSize];
    TextCopy(upperName, kPathSize, name);
    TextUpperAscii(upperName);

    StartDirFound found = FindStartDir(text, upperName, out, kPathSize);
    if (found == StartDirFound::kNo) {
        MessageBoxA(nullptr, "Error in locating starting directory", "Error", MB_OK);
        return false;
    }
    // Started by its bare name from a prompt in its own folder. Without a current directory to
    // take there is no start directory: an empty one would name the script in the root of the
    // current drive.
    if (found == StartDirFound::kBareName) FetchCurrentDir(out);
    DebugBox(out, "StringOut");
    return out[0] != '\0' || found != StartDirFound::kBareName;
}
