// tarnwick's own options as a checker's --options gives them ("/r /cd:e: /l:\"C:\x y\a.log\""):
// which the run uses, and a clear refusal of anything the program does not take.
#pragma once

#include <string>

namespace check {

struct RunOptions {
    bool debug = false;       // /d
    bool restart = false;     // /r: Windows restarts after the last command
    bool deleteSelf = false;  // /x
    bool tempDrive = false;   // /t
    bool exitCode = false;    // /e: the exit code says how the run went
    std::string drive;        // /cd:X: the two characters after the colon
    std::string log;          // /l:PATH, quotes removed
};

// False, with the reason in `error`, for a word that is no option of the program.
bool ParseRunOptions(const std::string& text, RunOptions* options, std::string* error);

}  // namespace check
