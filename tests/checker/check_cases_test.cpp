// tarnwick-check.exe run as a disc author runs it: a script on a disc folder, the findings read
// from its output. One table of faulty scripts, then the plan, the JSON and the exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "base/sizes.h"
#include "harness/harness.h"

using namespace harness;

namespace {

std::string CheckerExe() {
    const char* exe = std::getenv("TARNWICK_CHECK_EXE");
    return exe != nullptr ? ToWindowsPath(exe) : "tarnwick-check.exe";
}

// Runs the checker with `options` on `target` on the disc (the disc folder when empty). Its
// output is read without the carriage returns that Windows' text mode adds to each line.
ConsoleRun Check(const Disc& disc, const std::string& options, const std::string& target) {
    ConsoleRun run =
        RunConsole("\"" + CheckerExe() + "\" " + options + " \"" + disc.Path(target) + "\"");
    run.output.erase(std::remove(run.output.begin(), run.output.end(), '\r'), run.output.end());
    return run;
}

// "LINE:severity:check" of each finding line of the output.
std::multiset<std::string> Findings(const std::string& output) {
    std::multiset<std::string> found;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        size_t cfg = line.find(".cfg:");
        size_t check = line.rfind(" [");
        if (cfg == std::string::npos || check == std::string::npos) continue;
        std::string rest = line.substr(cfg + 5);
        std::string number = rest.substr(0, rest.find(':'));
        size_t sev = rest.find(": ") + 2;
        std::string severity = rest.substr(sev, rest.find(':', sev) - sev);
        found.insert(number + ":" + severity + ":" +
                     line.substr(check + 2, line.size() - check - 3));
    }
    return found;
}

struct Case {
    const char* name;
    std::string script;
    std::multiset<std::string> expected;  // "LINE:severity:check"
    const char* says = "";                // a part of the output, such as the fix it names
    std::string options = "";             // the checker's options
};

const std::string kHead = "[tarnwick]\nNUMBEROFCOMMANDS=1\n[COMMAND1]\n";

std::multiset<std::string> Repeated(int times, const std::string& finding) {
    std::multiset<std::string> found;
    for (int i = 0; i < times; ++i) found.insert(finding);
    return found;
}

// A script whose section names take `names` bytes of the program's list (each name and its NUL):
// [tarnwick], [COMMAND1] and one long name. Up to the list's size less two the count is bounded.
std::string NamesTaking(int names) {
    return "[tarnwick]\nNUMBEROFCOMMANDS=2\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n[" +
           std::string(static_cast<size_t>(names - 9 - 9 - 1), 'x') + "]\n";
}

const std::string kRemakeFolder =
    "[tarnwick]\nNUMBEROFCOMMANDS=3\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=%TEMP%\\app\n";
const std::string kCopyIntoFolder =
    "COMMANDTYPE=11\nSOURCEFILENAME=%CURRENTDRIVE%\\drivers\\disp.inf\n"
    "DESTFILENAME=%TEMP%\\app\\disp.inf\n";

const Case kCases[] = {
    {"clean",
     kHead + "COMMANDTYPE=11\nSOURCEFILENAME=%CURRENTDRIVE%\\drivers\\disp.inf\n"
             "DESTFILENAME=%TEMP%\\disp.inf\n",
     {}},
    {"count-short",
     "[tarnwick]\nNUMBEROFCOMMANDS=1\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n"
     "[COMMAND2]\nCOMMANDTYPE=6\nDIRNAME=b\n",
     {"2:error:count", "6:error:count"},
     "write NUMBEROFCOMMANDS=2"},
    {"count-gap",
     "[tarnwick]\nNUMBEROFCOMMANDS=3\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n"
     "[COMMAND3]\nCOMMANDTYPE=6\nDIRNAME=b\n",
     {"2:error:missing-section"},
     "[COMMAND2] is missing"},
    {"count-long",
     "[tarnwick]\nNUMBEROFCOMMANDS=5\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n",
     {"2:warning:count"},
     "the program stops there"},
    // A section far past the others is checked like any other, and the note on the gap counts
    // every command without a section.
    {"far-section",
     "[tarnwick]\nNUMBEROFCOMMANDS=5001\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n"
     "[COMMAND5000]\nCOMMANDTYPE=6\nDIRNAME=b\nCOMMANDLINE=setup.exe\n[COMMAND5001]\nCOMMANDTYPE="
     "9\n",
     {"9:error:unread-key", "11:error:inert-type", "2:error:missing-section",
      "2:error:missing-section", "2:error:missing-section", "2:error:missing-section",
      "2:error:missing-section", "2:error:missing-section", "2:error:missing-section",
      "2:error:missing-section", "2:error:missing-section", "2:error:missing-section",
      "2:error:missing-section"},
     "and 4988 more commands without a section"},
    // Names no command reads, however near: they neither run nor bound the count.
    {"stray-sections",
     "[tarnwick]\nNUMBEROFCOMMANDS=5\n[COMMAND1]\nCOMMANDLINE=setup.exe\n[COMMAND05]\n"
     "[COMMAND 2]\n[COMMAND99999999999]\n",
     {"2:warning:count", "5:error:unknown-section", "6:error:unknown-section",
      "7:error:unknown-section"},
     "command 5 reads [COMMAND5], written without leading zeros, blanks or signs"},
    {"duplicate-section",
     kHead + "COMMANDTYPE=6\nDIRNAME=a\n[tarnwick]\n",
     {"6:error:duplicate-section"}},
    {"count-missing",
     "[tarnwick]\nAPPTITLE=x\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n",
     {"1:error:count", "2:warning:unread-key"},
     "add NUMBEROFCOMMANDS=1"},
    {"count-words",
     "[tarnwick]\nNUMBEROFCOMMANDS=1 command\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n",
     {"2:warning:integer-value"},
     "reads as 1"},
    {"misspelt-key",
     kHead + "COMMANDLNE=setup.exe\n",
     {"3:error:empty-value", "4:error:unknown-key"},
     "did you mean `COMMANDLINE`?"},
    {"unread-key",
     kHead + "COMMANDTYPE=6\nDIRNAME=a\nCOMMANDLINE=setup.exe\n",
     {"6:error:unread-key"},
     "never reads `COMMANDLINE`"},
    {"inert-type", kHead + "COMMANDTYPE=9\nDIRNAME=a\n", {"4:error:inert-type"}},
    {"duplicate-key",
     kHead + "COMMANDTYPE=6\nDIRNAME=first\nDIRNAME=second\n",
     {"6:error:duplicate-key"},
     "line 5, wins"},
    {"misspelt-section",
     "[tarnwick]\nNUMBEROFCOMMANDS=1\n[COMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n",
     {"2:error:count", "3:error:unknown-section"},
     "did you mean [COMMAND1]?"},
    {"unclosed-header",
     kHead + "COMMANDTYPE=6\nDIRNAME=a\n[COMMAND2\n",
     {"6:error:malformed-line"}},
    {"value-cut",
     kHead + "COMMANDLINE=setup.exe " + std::string(300, 'x') + "\n",
     {"4:error:value-cut"},
     "the program reads 255"},
    {"macros",
     kHead + "COMMANDTYPE=11\nSOURCEFILENAME=%temp%\\a.inf\n"
             "DESTFILENAME=%TEMP%\\b;%TEMP%\\c;%WINDIR%\n",
     {"5:error:macro", "6:error:macro", "6:warning:macro"},
     "write %TEMP%"},
    {"macro-unexpanded", kHead + "COMMANDLINE=%TEMP%\\setup.exe\n", {"4:error:macro"}},
    {"registry-root",
     kHead + "COMMANDTYPE=2\nREGKEY=HKEY_LOCAL_MACHINE\\Software\\X\n",
     {"5:error:registry-path"},
     "write REGKEY=Software\\X"},
    {"registry-separator",
     kHead + "COMMANDTYPE=3\nREGKEY=\\Software\\X\n",
     {"5:error:registry-path"}},
    {"registry-empty", kHead + "COMMANDTYPE=2\n", {"3:error:empty-value"}},
    {"hand-off-untitled",
     kHead + "COMMANDLINE=setup.exe\nCOMMANDISHIELD=1\n",
     {"5:warning:hand-off"}},
    {"hand-off-unflagged",
     kHead + "COMMANDLINE=setup.exe\nCOMMANDWINTITLE=Setup\n",
     {"5:error:hand-off"}},
    {"program-missing", kHead + "COMMANDLINE=setup\\setup.exe /s\n", {"4:error:missing-file"}},
    {"source-missing",
     kHead + "COMMANDTYPE=11\nSOURCEFILENAME=%CURRENTDRIVE%\\gone.inf\n"
             "DESTFILENAME=%TEMP%\\gone.inf\n",
     {"5:error:missing-file"}},
    {"relative-argument",
     kHead + "COMMANDLINE=msiexec /i product.msi /qn\n",
     {"4:note:missing-file", "4:warning:relative-argument"}},
    {"unquoted-blanks",
     kHead + "COMMANDLINE=C:\\Program Files\\x\\setup.exe /s\n",
     {"4:warning:unquoted-path"},
     "`C:\\Program.exe`"},
    {"folder-late",
     "[tarnwick]\nNUMBEROFCOMMANDS=2\n[COMMAND1]\nCOMMANDTYPE=11\n"
     "SOURCEFILENAME=setup.exe\nDESTFILENAME=%TEMP%\\app\\setup.exe\n"
     "[COMMAND2]\nCOMMANDTYPE=6\nDIRNAME=%TEMP%\\app\n",
     {"6:warning:folder-not-created"},
     "move that one first"},
    {"utf8-mark",
     "\xEF\xBB\xBF" + kHead + "COMMANDLINE=setup.exe\n",
     {"1:error:encoding", "1:error:count", "2:warning:malformed-line"},
     "`[tarnwick]` is no section header"},
    {"utf8-text",
     kHead + "COMMANDLINE=setup.exe\nCOMMANDCAPTION=Caf\xC3\xA9\n",
     {"5:warning:encoding"}},
    {"nul-byte",
     kHead + "COMMANDLINE=setup.exe" + std::string(1, '\0') + " /s\n",
     {"4:error:encoding"}},
    {"before-sections",
     "APPTITLE=x\n" + kHead + "COMMANDLINE=setup.exe\n",
     {"1:warning:malformed-line"}},
    // Installer command lines; tarnwick's /r makes /norestart needed.
    {"msiexec-attended",
     kHead + "COMMANDLINE=msiexec /i D:\\setup.msi /l*v setup.log\n",
     {"4:note:missing-file", "4:warning:installer-quiet", "4:warning:installer-restart",
      "4:warning:installer-log"},
     "add /norestart",
     "--options /r"},
    {"msiexec-unattended",
     kHead + "COMMANDLINE=msiexec /i D:\\setup.msi /qn /norestart /l*v C:\\setup.log\n",
     {"4:note:missing-file"},
     "",
     "--options \"/r /e /l:\\\"C:\\Program Files\\x\\setup.log\\\"\""},
    {"msi-as-program",
     kHead + "COMMANDLINE=setup.msi\n",
     {"4:note:missing-file", "4:error:installer-msi"},
     "write COMMANDLINE=msiexec /i \"setup.msi\" /qn"},
    {"nsis-dir-first",
     kHead + "COMMANDLINE=setup.exe /D=C:\\Program Files\\x /S\n",
     {"4:error:installer-dir"},
     "write COMMANDLINE=setup.exe /S /D=C:\\Program Files\\x"},
    {"nsis-dir-last", kHead + "COMMANDLINE=setup.exe /S /D=C:\\Program Files\\x\n", {}},
    {"time-limit",
     kHead + "COMMANDLINE=setup.exe\nCOMMANDISHIELD=1\nCOMMANDWINTITLE=Setup\nCOMMANDTIMEOUT=1\n",
     {"7:warning:time-limit"}},
    // Failures without a word, each at its line with its fix.
    {"unclosed-quote",
     kHead + "COMMANDTYPE=6\nDIRNAME=\"%TEMP%\\x\n",
     {"5:error:unclosed-quote"},
     "write DIRNAME=%TEMP%\\x"},
    {"copy-to-temp",
     kHead + "COMMANDTYPE=11\nSOURCEFILENAME=%CURRENTDRIVE%\\drivers\\disp.inf\n"
             "DESTFILENAME=%TEMP%\n",
     {"6:error:copy-to-folder"},
     "write DESTFILENAME=%TEMP%\\disp.inf"},
    {"copy-to-made-folder",
     "[tarnwick]\nNUMBEROFCOMMANDS=2\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=%TEMP%\\app\n"
     "[COMMAND2]\nCOMMANDTYPE=11\nSOURCEFILENAME=setup.exe\nDESTFILENAME=%TEMP%\\app\n",
     {"9:error:copy-to-folder"},
     "made by [COMMAND1]"},
    {"removed-folder",
     kRemakeFolder + "[COMMAND2]\nCOMMANDTYPE=7\nDIRNAME=%TEMP%\\app\n[COMMAND3]\n" +
         kCopyIntoFolder,
     {"12:error:removed-folder"},
     "removed by [COMMAND2]"},
    {"folder-not-empty",
     kRemakeFolder + "[COMMAND2]\n" + kCopyIntoFolder +
         "[COMMAND3]\nCOMMANDTYPE=7\nDIRNAME=%TEMP%\\app\n",
     {"12:error:folder-not-empty"}},
    {"registry-subkey",
     "[tarnwick]\nNUMBEROFCOMMANDS=2\n[COMMAND1]\nCOMMANDTYPE=2\nREGKEY=Software\\T\\Sub\n"
     "[COMMAND2]\nCOMMANDTYPE=3\nREGKEY=Software\\T\n",
     {"8:warning:registry-subkey"}},
    {"registry-slash",
     kHead + "COMMANDTYPE=2\nREGKEY=Software/T\n",
     {"5:error:registry-path"},
     "write REGKEY=Software\\T"},
    {"copy-onto-itself",
     kHead + "COMMANDTYPE=11\nSOURCEFILENAME=%TEMP%\\a.inf\nDESTFILENAME=%TEMP%\\A.INF\n",
     {"6:error:copy-onto-itself"}},
    // Boundaries of the reading and of the suggestions.
    {"duplicate-section-first-read",
     kHead + "COMMANDTYPE=6\nDIRNAME=first\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=second\n",
     {"6:error:duplicate-section"},
     "DIRNAME           \"first\"",
     "--plan"},
    {"fills-array", kHead + "COMMANDTYPE=6\nDIRNAME=" + std::string(259, 'a') + "\n", {}},
    {"near-name",  // 16 letters: up to 4 edits away
     kHead + "COMMANDLINE=setup.exe\nCOMMANDSXXXSTATS=1\n",
     {"5:error:unknown-key"},
     "did you mean `COMMANDSHOWSTATUS`?"},
    {"far-name",
     kHead + "COMMANDLINE=setup.exe\nCOMMANDSXXXSXATS=1\n",
     {"5:error:unknown-key"},
     "`COMMANDSXXXSXATS` is no key of this program: it is never read [unknown-key]"},
    {"many-gaps",  // ten listed, then the rest counted
     "[tarnwick]\nNUMBEROFCOMMANDS=13\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n"
     "[COMMAND13]\nCOMMANDTYPE=6\nDIRNAME=b\n",
     Repeated(11, "2:error:missing-section"), "and 1 more commands without a section"},
    {"names-fit-list",
     NamesTaking(kSectionNamesSize - 3),
     {"2:warning:count", "6:warning:unknown-section"},
     "the program stops there"},
    {"names-fill-list",
     NamesTaking(kSectionNamesSize - 2),
     {"2:error:count", "6:warning:unknown-section"},
     "the commands after it run as empty commands"},
};

}  // namespace

TEST(Checker, FindsEachKindOfFault) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Disc disc('D', std::string("Checker_") + c.name);
        disc.WriteScript(c.script);
        disc.WriteFile("setup.exe", "MZ");
        disc.MakeDir("drivers");
        disc.WriteFile("drivers\\disp.inf", "inf");
        ConsoleRun run = Check(disc, c.options, "tarnwick.cfg");
        ASSERT_TRUE(run.finished) << run.output;
        EXPECT_EQ(Findings(run.output), c.expected) << run.output;
        bool errors = false;
        for (const std::string& f : c.expected) errors = errors || f.find(":error:") != f.npos;
        EXPECT_EQ(run.exitCode, errors ? 1u : 0u) << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
    }
}

// The plan, with the values cut and expanded as the program would, for the options given.
TEST(Checker, PlanShowsValuesAsTheProgramUsesThem) {
    Disc disc('D', "Checker_plan");
    disc.InstallExe();
    disc.WriteScript(
        "[tarnwick]\nNUMBEROFCOMMANDS=3\n[COMMAND1]\nCOMMANDTYPE=6\n"
        "DIRNAME=\"%CURRENTDRIVE%\\x;%TEMP%\\y\"\n[COMMAND2]\nCOMMANDTYPE=4\n"
        "REGKEY=Software\\T\nREGVALUENAME=" +
        std::string(200, 'n') + "\n");
    ConsoleRun run = Check(disc, "--plan --temp C:\\T\\ --options \"/t /cd:e:\"", "");
    EXPECT_EQ(run.exitCode, 1u) << run.output;  // the value name is cut; COMMAND3 is missing
    for (const std::string& line : std::vector<std::string>{
             "plan: 2 commands (%TEMP% is C:\\T, %CURRENTDRIVE% is E:)",
             "  1. [COMMAND1] line 3, type 6: create a directory",
             "DIRNAME           \"E:\\x;C:\\T\\y\"",
             "REGVALUENAME      \"" + std::string(127, 'n') + "\"", "REGVALUE          \"\""}) {
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
    }
    // /t alone: the drive is the temporary folder.
    run = Check(disc, "--plan --temp C:\\T --options /t", "");
    EXPECT_NE(run.output.find("DIRNAME           \"C:\\T\\x;C:\\T\\y\""), std::string::npos)
        << run.output;
    // A log's path is no option: C:/data/t.log turns on neither /d nor /t.
    run = Check(disc, "--plan --options \"/e /l:C:/data/t.log\"", "");
    EXPECT_NE(run.output.find("%CURRENTDRIVE% is D:)"), std::string::npos) << run.output;
    // The largest count with a section at each end: two thousand million commands, of which
    // the plan lists the first thousand without a section, then the last command.
    disc.WriteScript(
        "[tarnwick]\nNUMBEROFCOMMANDS=2147483647\n[COMMAND1]\nCOMMANDTYPE=6\n"
        "DIRNAME=a\n[COMMAND2147483647]\nCOMMANDTYPE=6\nDIRNAME=b\n");
    run = Check(disc, "--plan", "");
    ASSERT_TRUE(run.finished) << "the largest count";
    std::string tail = run.output.substr(run.output.size() > 400 ? run.output.size() - 400 : 0);
    for (const char* line : {"  1001. [COMMAND1001] (no section), type 1: run a program",
                             "  2147483647. [COMMAND2147483647] line 6, type 6",
                             "  ... and 2147482645 more commands without a section"}) {
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n..." << tail;
    }
}

TEST(Checker, JsonContract) {
    Disc disc('D', "Checker_json");
    disc.WriteScript(
        "[tarnwick]\nNUMBEROFCOMMANDS=2\n[COMMAND1]\nCOMMANDTYPE=1\n"
        "COMMANDLINE=\"a\\\"b\"\nCOMMANDSHOWSTATUS=1\nCOMMANDCAPTION=Caf\xE9\n");
    ConsoleRun run = Check(disc, "--json --plan", "tarnwick.cfg");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.output.rfind("{\"diagnostics\": [\n  {\"line\": 2, \"column\": 18, "
                               "\"severity\": \"warning\", \"check\": \"count\", \"message\": ",
                               0),
              0u)
        << run.output;
    EXPECT_NE(
        run.output.find("\"plan\": [\n  {\"index\": 1, \"section\": \"COMMAND1\", \"line\": 3, "
                        "\"type\": 1, \"values\": {\"COMMANDCAPTION\": \"Caf\\u00e9\", "
                        "\"COMMANDSHOWSTATUS\": 1, \"COMMANDISHIELD\": 0, "
                        "\"COMMANDLINE\": \"a\\\\\\\"b\", \"COMMANDWAITTREE\": 0, "
                        "\"COMMANDTIMEOUT\": 0, \"APPTITLE\": \"\"}}"),
        std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.substr(run.output.size() - 3), "]}\n") << run.output;
}

TEST(Checker, ExitCodes) {
    Disc disc('D', "Checker_exit");
    disc.WriteScript(kHead + "COMMANDLINE=setup.exe\nCOMMANDISHIELD=1\n");
    disc.WriteFile("setup.exe", "MZ");
    struct {
        std::string options, target;
        DWORD code;
    } rows[] = {
        {"", "tarnwick.cfg", 0},  // a warning alone
        {"--werror", "tarnwick.cfg", 1},
        {"", "absent.cfg", 2},
        {"--bogus", "tarnwick.cfg", 2},
        {"--temp", "tarnwick.cfg", 2},  // the path is taken as the value: no PATH left
        {"--format=xml", "tarnwick.cfg", 2},
        {"--format=sarif --options /e", "tarnwick.cfg", 0},
        {"--options /q", "tarnwick.cfg", 2},                               // no option of tarnwick
        {"--options \"/l:C:\\Program Files\\x.log\"", "tarnwick.cfg", 2},  // blanks, no quotes
    };
    for (const auto& row : rows) {
        ConsoleRun run = Check(disc, row.options, row.target);
        EXPECT_EQ(run.exitCode, row.code) << row.options << " " << row.target << "\n" << run.output;
    }
    ConsoleRun version = RunConsole("\"" + CheckerExe() + "\" --version");
    EXPECT_EQ(version.output.rfind("tarnwick-check ", 0), 0u) << version.output;
}

// GitHub's workflow commands: the severity as the command, the place as properties, `%` escaped
// and, in a property, `:` (of the drive) too.
TEST(Checker, GithubAnnotations) {
    Disc disc('D', "Checker_github");
    disc.WriteScript(kHead + "COMMANDTYPE=11\nSOURCEFILENAME=%temp%\\a\nDESTFILENAME=%TEMP%\\b\n");
    ConsoleRun run = Check(disc, "--format=github", "tarnwick.cfg");
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    std::string file = disc.Path("tarnwick.cfg");
    std::string escaped;
    for (char c : file) escaped += c == ':' ? "%3A" : c == ',' ? "%2C" : std::string(1, c);
    EXPECT_EQ(run.output, "::error file=" + escaped +
                              ",line=5,col=16,title=tarnwick-check [macro]::`%25temp%25` is no "
                              "macro: macros are upper case; write %25TEMP%25\n");
}
