// Carrying out the script's numbered commands in order.
#include "script/command_sequencer.h"

#include "app/sizes.h"
#include "app/text.h"
#include "script/command_table.h"
#include "script/ini_read.h"

void RunCommandList() {
    int count = ReadIniInt("tarnwick", "NUMBEROFCOMMANDS", 0);
    for (int i = 0; i < count; ++i) {
        char section[kSectionSize] = "COMMAND";
        TextAppendInt(section, kSectionSize, i + 1);
        int type = ReadIniInt(section, "COMMANDTYPE", 1);
        CommandHandler handler = HandlerForType(type);
        if (handler != nullptr) handler(section);
    }
}
