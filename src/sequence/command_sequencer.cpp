// Carrying out the script's numbered commands in order.
#include "sequence/command_sequencer.h"

#include "base/run_log.h"
#include "base/script_keys.h"
#include "base/shell_state.h"
#include "base/text.h"
#include "script/ini_read.h"
#include "sequence/command_sections.h"
#include "sequence/command_table.h"
#include "sequence/run_outcome.h"

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

// What a command type does, in a few words, for the log.
static const char* TypeText(int type) {
    for (const CommandTypeInfo& info : kCommandTypeInfo) {
        if (info.type == type) return info.does;
    }
    return "does nothing";
}

// The log's line for a command that has started: its number and type; the handler adds the
// values it uses and writes the line before it acts.
static void LogCommandStart(int number, int type) {
    LogBegin("command %d, type %d (%s):", number, type, TypeText(type));
}

// The log's line for a command that has ended: its result and what that means, and how long it
// took. A program's exit code is the program's own; any other result is a Windows error.
static void LogCommandEnd(int number, DWORD result, DWORD ms) {
    Outcome outcome = OutcomeOf(result);
    if (g_shell.resultIsExitCode) {
        LogBegin("command %d ended: exit code %lu (%s", number, result, OutcomeText(outcome));
        // Windows Installer's codes, which installers of other engines follow, have the system's
        // words; any other program's code means what that program says it means.
        if ((result >= 1600 && result < 1800) || result == ERROR_SUCCESS_REBOOT_REQUIRED) {
            LogAdd(": ");
            LogAddSystemMessage(result);
        }
    } else {
        LogBegin("command %d %s: result %lu (", number,
                 outcome == Outcome::kSuccess ? "ended" : "failed", result);
        LogAddSystemMessage(result);
    }
    LogAdd(") after %lu.%03lu s", ms / 1000, ms % 1000);
    LogWrite();
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
        LogCommandStart(number, type);
        DWORD started = GetTickCount();
        g_shell.resultIsExitCode = 0;
        CommandHandler handler = HandlerForType(type);
        DWORD result = handler != nullptr ? handler(section) : ERROR_SUCCESS;
        LogCommandEnd(number, result, GetTickCount() - started);
        NoteResult(result);
    }
}
