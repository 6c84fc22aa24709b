// The script and its sequencer: how many commands run, in which order, and which sections and
// keys are found. Commands that make directories on the disc ($DISC) leave the trace checked here.
#include <gtest/gtest.h>

#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

// Writes `script` (or, with `file`, another file) onto the disc with "$DISC" standing for it.
void Write(const Disc& disc, const std::string& script, const std::string& file = "tarnwick.cfg") {
    disc.WriteFile(file, ForThisTest(script, {{"$DISC", disc.Path()}}));
}

}  // namespace

TEST(Script, CommandCount) {
    struct Case {
        const char* name;
        const char* header;
        std::vector<bool> made;  // d1, d2, d3 afterwards
    };
    const Case cases[] = {
        {"count 0", "[tarnwick]\nNUMBEROFCOMMANDS=0", {false, false, false}},
        {"negative count", "[tarnwick]\nNUMBEROFCOMMANDS=-2", {false, false, false}},
        {"no count", "[tarnwick]\nAPPTITLE=x", {false, false, false}},
        {"count not a number", "[tarnwick]\nNUMBEROFCOMMANDS=two", {false, false, false}},
        {"sections beyond the count", "[tarnwick]\nNUMBEROFCOMMANDS=2", {true, true, false}},
        {"count with trailing text",
         "[tarnwick]\nNUMBEROFCOMMANDS= 3 commands",
         {true, true, true}},
        {"names in any case", "[Tarnwick]\nnumberofcommands=3", {true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disc disc('D', CaseName());
        std::string exe = disc.InstallExe();
        Write(disc, c.header + std::string(R"(
[COMMAND1]
COMMANDTYPE=6
DIRNAME=$DISC\d1
[command2]
commandtype=6
dirname=$DISC\d2
[COMMAND3]
COMMANDTYPE=6
DIRNAME=$DISC\d3
)"));
        RunResult run = RunProgram("\"" + exe + "\"");
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_EQ(run.exitCode, 0u);
        for (int i = 0; i < 3; ++i) {
            std::string dir = "d" + std::to_string(i + 1);
            EXPECT_EQ(DirExists(disc.Path(dir)), c.made[i]) << dir;
        }
    }
}

// The walk of a count of two thousand million ends at the last section a command reads. A name
// that only looks like one ("COMMAND 99999", a leading zero, a number past the largest int) is
// never read: were it taken for its number, the run would go on for days through empty commands.
TEST(Script, StrayNamesDoNotStretchTheCount) {
    for (const char* stray : {"COMMAND99999999999", "COMMAND02147483647", "COMMAND 99999"}) {
        SCOPED_TRACE(stray);
        Disc disc('D', CaseName());
        std::string exe = disc.InstallExe();
        disc.WriteFile("tarnwick.cfg", ForThisTest(R"(
[tarnwick]
NUMBEROFCOMMANDS=2147483647
[COMMAND1]
COMMANDTYPE=6
DIRNAME=$DISC\d1
[$STRAY]
COMMANDTYPE=6
DIRNAME=$DISC\stray
)",
                                                   {{"$DISC", disc.Path()}, {"$STRAY", stray}}));
        RunOptions options;
        options.timeoutMs = 30000;  // the fixed walk takes well under a second
        RunResult run = RunProgram("\"" + exe + "\"", options);
        ASSERT_TRUE(run.finished) << "still walking empty commands: " << run.Describe();
        EXPECT_TRUE(DirExists(disc.Path("d1")));
        EXPECT_FALSE(DirExists(disc.Path("stray"))) << "a section no command reads was run";
    }
}

// Types without a handler, a missing section and a section without COMMANDTYPE do nothing; a
// missing section does not end the walk.
TEST(Script, InertCommandsDoNothing) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    Write(disc, R"(
[tarnwick]
NUMBEROFCOMMANDS=6
[COMMAND1]
COMMANDTYPE=9
DIRNAME=$DISC\nine
[COMMAND2]
COMMANDTYPE=12
DIRNAME=$DISC\twelve
[COMMAND3]
DIRNAME=$DISC\notype
[COMMAND5]
COMMANDTYPE=6
DIRNAME=$DISC\five
[COMMAND6]
COMMANDTYPE=0x6
DIRNAME=$DISC\hex
)");
    RunResult run = RunProgram("\"" + exe + "\" /d");
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(DirExists(disc.Path("nine"))) << "type 9 did something";
    EXPECT_FALSE(DirExists(disc.Path("twelve"))) << "type 12 did something";
    EXPECT_FALSE(DirExists(disc.Path("notype"))) << "a section without COMMANDTYPE is type 1";
    EXPECT_TRUE(DirExists(disc.Path("five"))) << "the walk ended at the missing COMMAND4";
    // The platform's integer reader takes "0x6" as hexadecimal.
    EXPECT_TRUE(DirExists(disc.Path("hex")));
    // The type 1 commands (the one without COMMANDTYPE and the missing one) each show their
    // status text, empty here.
    int captions = 0;
    for (const Box& box : run.boxes) captions += box.caption == "szWindowCaption";
    EXPECT_EQ(captions, 2) << run.Describe();
}

// Each section is read when it is reached: a script that its first command replaces (a copy
// over tarnwick.cfg on a writable medium) goes on with the later sections of the new file. The
// count stays the one read before the first command.
TEST(Script, ReplacedScriptRunsItsLaterSections) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    Write(disc, R"(
[tarnwick]
NUMBEROFCOMMANDS=1
[COMMAND2]
COMMANDTYPE=6
DIRNAME=$DISC\d2
[COMMAND3]
COMMANDTYPE=6
DIRNAME=$DISC\d3
[COMMAND4]
COMMANDTYPE=6
DIRNAME=$DISC\d4
)",
          "next.cfg");
    Write(disc, R"(
[tarnwick]
NUMBEROFCOMMANDS=3
[COMMAND1]
COMMANDTYPE=11
SOURCEFILENAME=$DISC\next.cfg
DESTFILENAME=$DISC\tarnwick.cfg
)");
    RunResult run = RunProgram("\"" + exe + "\"");
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(DirExists(disc.Path("d2")) && DirExists(disc.Path("d3")))
        << "the new script's sections were not run";
    EXPECT_FALSE(DirExists(disc.Path("d4"))) << "a section past the count ran";
}
