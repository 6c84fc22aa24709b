// The script's vocabulary as plain constant data: its sections, its keys with the arrays they are
// read into, and its command types. The program and the script checker both read it from here.
#pragma once

#include "base/sizes.h"

// Section names as the program asks for them; command sections are "COMMAND" and a number.
inline constexpr char kMainSection[] = "tarnwick";
inline constexpr char kMainSectionUpper[] = "TARNWICK";
inline constexpr char kCommandSectionPrefix[] = "COMMAND";

// Key names as the program asks for them.
inline constexpr char kKeyNumberOfCommands[] = "NUMBEROFCOMMANDS";
inline constexpr char kKeyAppTitle[] = "APPTITLE";
inline constexpr char kKeyCommandType[] = "COMMANDTYPE";
inline constexpr char kKeyCommandCaption[] = "COMMANDCAPTION";
inline constexpr char kKeyCommandShowStatus[] = "COMMANDSHOWSTATUS";
inline constexpr char kKeyCommandIShield[] = "COMMANDISHIELD";
inline constexpr char kKeyCommandWinTitle[] = "COMMANDWINTITLE";
inline constexpr char kKeyCommandLine[] = "COMMANDLINE";
inline constexpr char kKeyCommandWaitTree[] = "COMMANDWAITTREE";
inline constexpr char kKeyCommandTimeout[] = "COMMANDTIMEOUT";
inline constexpr char kKeyRegKey[] = "REGKEY";
inline constexpr char kKeyRegValueName[] = "REGVALUENAME";
inline constexpr char kKeyRegValue[] = "REGVALUE";
inline constexpr char kKeyDirName[] = "DIRNAME";
inline constexpr char kKeySourceFileName[] = "SOURCEFILENAME";
inline constexpr char kKeyDestFileName[] = "DESTFILENAME";

// The command types that read a key, one bit per type.
enum : unsigned {
    kReadByType1 = 1u << 1,
    kReadByType2 = 1u << 2,
    kReadByType3 = 1u << 3,
    kReadByType4 = 1u << 4,
    kReadByType5 = 1u << 5,
    kReadByType6 = 1u << 6,
    kReadByType7 = 1u << 7,
    kReadByType11 = 1u << 11,
    kReadByEveryType = 0xFFFFFFFFu,
};

struct ScriptKey {
    const char* name;
    bool inMainSection;    // in [tarnwick]; otherwise in each COMMANDn section
    bool isInteger;        // read with GetPrivateProfileIntA
    int size;              // the array a string is read into, zero included; 0 for integers
    int defaultValue;      // what an integer key reads when absent or empty
    unsigned readBy;       // which command types read it (kReadBy...); 0: read before any command
    const char* readWhen;  // an integer key of the same command that must be non-zero, or null
    bool macrosExpanded;   // "%TEMP%" and "%CURRENTDRIVE%" replaced, into kExpandedSize
};

// Every key, in the order a command reads them.
inline constexpr ScriptKey kScriptKeys[] = {
    {kKeyNumberOfCommands, true, true, 0, 0, 0, nullptr, false},
    {kKeyCommandType, false, true, 0, 1, kReadByEveryType, nullptr, false},
    {kKeyCommandCaption, false, false, kPathSize, 0, kReadByType1, nullptr, false},
    {kKeyCommandShowStatus, false, true, 0, 0, kReadByType1, nullptr, false},
    {kKeyCommandIShield, false, true, 0, 0, kReadByType1, nullptr, false},
    {kKeyCommandWinTitle, false, false, kPathSize, 0, kReadByType1, kKeyCommandIShield, false},
    {kKeyCommandLine, false, false, kCommandLineKeySize, 0, kReadByType1, nullptr, false},
    {kKeyCommandWaitTree, false, true, 0, 0, kReadByType1, nullptr, false},
    {kKeyCommandTimeout, false, true, 0, 0, kReadByType1, nullptr, false},
    {kKeyAppTitle, true, false, kPathSize, 0, kReadByType1, kKeyCommandShowStatus, false},
    {kKeyRegKey, false, false, kPathSize, 0,
     kReadByType2 | kReadByType3 | kReadByType4 | kReadByType5, nullptr, false},
    {kKeyRegValueName, false, false, kValueNameSize, 0, kReadByType4 | kReadByType5, nullptr,
     false},
    {kKeyRegValue, false, false, kPathSize, 0, kReadByType4, nullptr, true},
    {kKeyDirName, false, false, kPathSize, 0, kReadByType6 | kReadByType7, nullptr, true},
    {kKeySourceFileName, false, false, kPathSize, 0, kReadByType11, nullptr, true},
    {kKeyDestFileName, false, false, kPathSize, 0, kReadByType11, nullptr, true},
};

struct CommandTypeInfo {
    int type;
    const char* does;  // what a command of this type does, in a few words
};

// The command types that do something; 8 to 10 and every other value do nothing.
inline constexpr CommandTypeInfo kCommandTypeInfo[] = {
    {1, "run a program and wait for it"},
    {2, "create a registry key"},
    {3, "delete a registry key"},
    {4, "set a registry string value"},
    {5, "delete a registry value"},
    {6, "create a directory"},
    {7, "remove a directory"},
    {11, "copy a file"},
};
