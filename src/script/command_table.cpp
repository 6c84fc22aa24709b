// The command types of the script and the handler of each: the one place that maps them.
#include "script/command_table.h"

#include "commands/run_program.h"

namespace {

struct CommandType {
    int type;
    CommandHandler handler;
};

// Types 8 to 10, and every type not listed, do nothing.
const CommandType kCommandTypes[] = {
    {1, RunProgram},
};

}  // namespace

CommandHandler HandlerForType(int type) {
    for (const CommandType& row : kCommandTypes) {
        if (row.type == type) return row.handler;
    }
    return nullptr;
}
