// Carrying out the script's numbered commands in order.
#include "sequence/command_sequencer.h"

#include "base/script_keys.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "sequence/command_sections.h"
#include "sequence/command_table.h"
#include "script/ini_read.h"

// A command past the last COMMANDn section of the script would be an empty type 1 command,
// which starts nothing: such commands are not walked, so that a count of two thousand million
// with no sections after it ends at once. When the list of names does not fit its array, the
// count stands as written.
static int BoundedCount(int count) {
    if (count <= 0 || g_shell.ConfigPath[0] == '\0') return count;
    DWORD len = GetPrivateProfileStringA(nullptr, nullptr, "", g_shell.SectionNames,
                                         kSectionNamesSize, g_shell.ConfigPath);
    if (len >= static_cast<DWORD>(kSectionNamesSize - 2)) return count;
    g_shell.SectionNames[len] = '\0';
    g_shell.SectionNames[len + 1] = '\0';
    int highest = HighestCommandSection(g_shell.SectionNames);
    return highest < count ? highest : count;
}

void RunCommandList() {
    int count = BoundedCount(ReadIniInt(kMainSection, kKeyNumberOfCommands, 0));
    for (int i = 0; i < count; ++i) {
        char section[kSectionSize];
        TextCopy(section, kSectionSize, kCommandSectionPrefix);
        TextAppendInt(section, kSectionSize, i + 1);
        int type = ReadIniInt(section, kKeyCommandType, 1);
        CommandHandler handler = HandlerForType(type);
        if (handler != nullptr) handler(section);
    }
}
