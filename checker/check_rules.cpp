// The checks by name, with what each finds.
#include "check_rules.h"

namespace check {

const std::vector<CheckRule>& CheckRules() {
    static const std::vector<CheckRule> rules = {
        {"encoding", "The file's encoding loses text",
         "A UTF-8 byte-order mark (Windows reads it as part of the first line), UTF-16 (Windows "
         "95 reads only ANSI), NUL bytes, UTF-8 text and bytes that depend on the code page."},
        {"malformed-line", "A line that is neither a section nor a key",
         "A header without its closing bracket, a line without '=', or keys before the first "
         "section: Windows ignores them or files them under another section."},
        {"unknown-section", "A section the program never reads",
         "A section name that is neither [tarnwick] nor COMMAND and a number without leading "
         "zeros; the nearest known name is suggested."},
        {"unknown-key", "A key the program never reads",
         "A key name that is no key of the program; the nearest known name is suggested."},
        {"unread-key", "A known key where the program does not read it",
         "A key in the wrong section, for a command type that does not read it, or APPTITLE "
         "with no command that shows the status window."},
        {"duplicate-section", "A section that appears twice",
         "Of two sections of one name only the first is read; the keys of the second are never "
         "read."},
        {"duplicate-key", "A key that appears twice in a section",
         "Of two keys of one name in a section only the first is read."},
        {"count", "NUMBEROFCOMMANDS does not match the command sections",
         "No NUMBEROFCOMMANDS, a count that leaves sections unrun, or one past the last "
         "section."},
        {"missing-section", "A command number without a section",
         "A command without a section runs as an empty type 1 command and does nothing."},
        {"inert-type", "A command type that does nothing",
         "COMMANDTYPE 8, 9, 10 or any value other than 1 to 7 and 11 does nothing."},
        {"integer-value", "An integer key with more than a number",
         "The program reads the number at the start of the value and ignores the rest."},
        {"value-cut", "A value longer than the program reads",
         "A value longer than the array the program reads it into, or than 519 characters once "
         "its macros are expanded; the column says where it is cut."},
        {"macro", "A macro that is not expanded",
         "%TEMP% or %CURRENTDRIVE% in a key that does not expand them, in the wrong case or a "
         "second time in one value; %WINDIR% and other names that are no macros."},
        {"registry-path", "A registry key written wrong",
         "A REGKEY that names its root, starts with a backslash, has an empty level or is "
         "written with forward slashes."},
        {"empty-value", "An empty value that makes a command do nothing",
         "An empty REGKEY, COMMANDLINE, DIRNAME, SOURCEFILENAME or DESTFILENAME."},
        {"hand-off", "A hand-off wait that cannot work",
         "COMMANDISHIELD without COMMANDWINTITLE, or the title without the flag."},
        {"missing-file", "A file the script takes from the disc is missing",
         "A program or source file that should be on the disc and is not, or no tarnwick.exe "
         "beside the script."},
        {"relative-argument", "A relative file name among a program's arguments",
         "The started program resolves it against the current folder it inherits, usually the "
         "disc's root, not its own folder."},
        {"unquoted-path", "A program path with blanks and no quotes",
         "Windows tries each blank as the end of the program's path: C:\\Program.exe first."},
        {"folder-not-created", "A copy or new directory into a folder nothing creates",
         "The folder a copy or a type 6 command writes into is made by no command before it."},
        {"installer-quiet", "msiexec without a quiet switch",
         "Without /qn or /quiet Windows Installer shows its dialogs and waits for someone to "
         "answer them."},
        {"installer-restart", "msiexec without /norestart in a run that restarts",
         "With tarnwick's /r the run restarts Windows after its last command; an installer "
         "that restarts on its own cuts the run short."},
        {"installer-log", "An installer's log path that is relative",
         "A relative /l*v or /LOG= path is resolved against the current folder, usually the "
         "read-only disc, and no log is written."},
        {"installer-dir", "NSIS's /D= not last, or quoted",
         "An NSIS installer takes /D= only as its last argument and without quotes, even when "
         "the path has blanks."},
        {"installer-msi", "An .msi file started as a program",
         "A Windows Installer package is no program: the command starts nothing; start it with "
         "msiexec /i."},
        {"time-limit", "A time limit shorter than the hand-off pause",
         "COMMANDTIMEOUT shorter than the 2-second pause after a hand-off installer ends the "
         "wait before its window is looked for."},
        {"unclosed-quote", "A path that opens with a quote and never closes it",
         "Only matching quotes are removed: the quote stays in the name and the command fails "
         "without a word."},
        {"copy-to-folder", "A copy whose destination is a folder",
         "DESTFILENAME must name a file: a copy onto a folder (%TEMP%, or one an earlier "
         "command made) fails without a word."},
        {"removed-folder", "A folder used after an earlier command removed it",
         "A copy or new directory into a folder that a type 7 command removed before it."},
        {"folder-not-empty", "A folder removed after the script filled it",
         "A type 7 command removes only empty folders: one the script copied into or made a "
         "folder in stays, without a word."},
        {"registry-subkey", "A key deleted after the script gave it a subkey",
         "Windows NT and later keep a key that has subkeys; Windows 95 deletes the whole tree."},
        {"copy-onto-itself", "A copy of a file onto itself",
         "The source and the destination are the same file: the copy fails without a word."},
    };
    return rules;
}

}  // namespace check
