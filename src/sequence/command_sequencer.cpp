// Carrying out the script's numbered commands in order.
#include "sequence/command_sequencer.h"

#include "base/script_keys.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "script/ini_read.h"
#include "sequence/command_sections.h"
#include "sequence/command_table.h"

// The highest COMMANDn section the script holds now, read afresh from the file; the count as
// written when the list of names does not fit its array (or there is no script to list).
static int HighestSectionNow(int count) {
    if (g_shell.ConfigPath[0] == '\0') return count;
    DWORD len = GetPrivateProfileStringA(nullptr, nullptr, "", g_shell.SectionNames,
                                         kSectionNamesSize, g_shell.ConfigPath);
    if (len >= static_cast<DWORD>(kSectionNamesSize - 2)) return count;
    g_shell.SectionNames[len] = '\0';
    return HighestCommandSection(g_shell.SectionNames, static_cast<int>(len));
}

// A command past the last COMMANDn section of the script is an empty type 1 command, which
// starts nothing: once no section at or past the next number is left in the file, the rest of
// the list is not walked, so that a count of two thousand million ends at once. The file is
// listed again whenever the walk passes the highest section it held when last listed, since an
// earlier command may have replaced the script.
void RunCommandList() {
    int count = ReadIniInt(kMainSection, kKeyNumberOfCommands, 0);
    int highest = 0;
    for (int i = 0; i < count; ++i) {
        int number = i + 1;
        if (number > highest) {
            highest = HighestSectionNow(count);
            if (number > highest) return;
        }
        char section[kSectionSize];
        TextCopy(section, kSectionSize, kCommandSectionPrefix);
        TextAppendInt(section, kSectionSize, number);
        int type = ReadIniInt(section, kKeyCommandType, 1);
        CommandHandler handler = HandlerForType(type);
        if (handler != nullptr) handler(section);
    }
}
