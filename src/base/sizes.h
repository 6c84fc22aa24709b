// Array sizes used across the program, terminating zero included.
#pragma once

enum : int {
    kPathSize = 260,             // paths, titles, captions
    kExpandedSize = 520,         // a path after macro expansion
    kOwnCommandLineSize = 1300,  // the program's own command line, as the platform gives it
    kCommandLineKeySize = 256,   // COMMANDLINE of a type 1 command: the program it starts
    kValueNameSize = 128,        // REGVALUENAME
    kResStringSize = 100,        // strings loaded from the string table
    kSectionSize = 20,           // "COMMAND%i"
    // Every section name of the script, for bounding the count. Windows 9x's profile functions
    // are 16-bit code underneath and take the size as a 16-bit signed number: 32,767 is the
    // largest size every platform accepts.
    kSectionNamesSize = 32767,
    kLogLineSize = 1600,  // one line of the log: a command's values, expanded, fit
};
