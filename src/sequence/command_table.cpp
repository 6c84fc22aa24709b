// The command types of the script and the handler of each: the one place that maps them.
#include "sequence/command_table.h"

#include "commands/file_commands.h"
#include "commands/registry_commands.h"
#include "commands/run_program.h"

namespace {

struct CommandType {
    int type;
    CommandHandler handler;
};

// Types 8 to 10, and every type not listed, do nothing.
const CommandType kCommandTypes[] = {
    {1, RunProgram},      // run a program and wait for it
    {2, CreateRegKey},    // create a registry key
    {3, DeleteRegKey},    // delete a registry key
    {4, SetRegValue},     // set a registry string value
    {5, DeleteRegValue},  // delete a registry value
    {6, CreateDir},       // create a directory
    {7, RemoveDir},       // remove a directory
    {11, CopyFileCmd},    // copy a file
};

}  // namespace

CommandHandler HandlerForType(int type) {
    for (const CommandType& row : kCommandTypes) {
        if (row.type == type) return row.handler;
    }
    return nullptr;
}
