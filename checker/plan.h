// What a script will do: its commands in the order they run, each with the values the program
// will use, cut to their arrays and with their macros expanded.
#pragma once

#include <string>
#include <vector>

#include "base/script_keys.h"
#include "script_file.h"

namespace check {

// Where the script runs: what "%TEMP%" and "%CURRENTDRIVE%" stand for, and the disc folder.
struct Setting {
    std::string tempDir = "C:\\WINDOWS\\TEMP";  // without its trailing separator
    std::string drive = "D:";
    std::string discDir;   // the folder of the script on this machine; empty: not looked at
    bool restart = false;  // tarnwick's /r: Windows restarts after the last command
};

// The setting for a temporary folder and tarnwick's options ("/t /cd:e:").
Setting MakeSetting(const std::string& tempDir, const std::string& options);

struct PlanValue {
    const ScriptKey* key;
    const Key* source;  // the line it comes from, or null when absent
    std::string value;  // as the program uses it; integers in decimal
    int number = 0;     // integers
};

struct PlannedCommand {
    int index = 0;
    std::string section;  // "COMMAND<index>"
    const Section* from;  // null when the script has no such section
    int type = 1;
    std::vector<PlanValue> values;  // in the order the command reads them

    const PlanValue* Find(const char* key) const;
};

// The value of a key as the program uses it: cut to its array, then expanded.
std::string Resolve(const ScriptKey& key, const std::string& raw, const Setting& setting);

// What a command of this type does, or null when it does nothing.
const char* TypeAction(int type);
const ScriptKey* KeyNamed(const std::string& name);

// A plan lists at most this many commands without a section (they all do nothing).
const int kMissingListed = 1000;

std::vector<PlannedCommand> MakePlan(const ScriptFile& script, const Setting& setting);

}  // namespace check
