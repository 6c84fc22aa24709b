// The script and its sequencer: how many commands run, in which order, and which sections and
// keys are found. Commands that make directories leave the trace checked here.
#include <gtest/gtest.h>

#include "harness/harness.h"

using namespace harness;

namespace {

// A section that makes the directory `name` on the disc.
std::string MakeDirCommand(int number, const Disc& disc, const std::string& name) {
    return "[COMMAND" + std::to_string(number) + "]\nCOMMANDTYPE=6\nDIRNAME=" + disc.Path(name) +
           "\n";
}

}  // namespace

TEST(Script, CommandCount) {
    struct Case {
        const char* name;
        const char* header;
        std::vector<bool> made;  // d1, d2, d3 afterwards
    };
    const Case cases[] = {
        {"count 0", "[tarnwick]\nNUMBEROFCOMMANDS=0\n", {false, false, false}},
        {"negative count", "[tarnwick]\nNUMBEROFCOMMANDS=-2\n", {false, false, false}},
        {"no count", "[tarnwick]\nAPPTITLE=x\n", {false, false, false}},
        {"count not a number", "[tarnwick]\nNUMBEROFCOMMANDS=two\n", {false, false, false}},
        {"sections beyond the count", "[tarnwick]\nNUMBEROFCOMMANDS=2\n", {true, true, false}},
        {"count with trailing text",
         "[tarnwick]\nNUMBEROFCOMMANDS= 3 commands\n",
         {true, true, true}},
        {"names in any case", "[Tarnwick]\nnumberofcommands=3\n", {true, true, true}},
    };
    for (const Case& c : cases) {
        Disc disc('D', CaseName());
        std::string exe = disc.InstallExe();
        disc.WriteScript(std::string(c.header) + MakeDirCommand(1, disc, "d1") +
                         "[command2]\ncommandtype=6\ndirname=" + disc.Path("d2") + "\n" +
                         MakeDirCommand(3, disc, "d3"));
        RunResult run = RunProgram("\"" + exe + "\"");
        ASSERT_TRUE(run.finished) << c.name << ": " << run.Describe();
        EXPECT_EQ(run.exitCode, 0u) << c.name;
        for (int i = 0; i < 3; ++i) {
            std::string dir = "d" + std::to_string(i + 1);
            EXPECT_EQ(DirExists(disc.Path(dir)), c.made[i]) << c.name << ": " << dir;
        }
    }
}

// Types without a handler, a missing section and a section without COMMANDTYPE do nothing,
// and the commands after them still run.
TEST(Script, InertCommandsDoNotStopTheList) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript(
        "[tarnwick]\nNUMBEROFCOMMANDS=6\n"
        "[COMMAND1]\nCOMMANDTYPE=9\nDIRNAME=" +
        disc.Path("nine") +
        "\n"
        "[COMMAND2]\nCOMMANDTYPE=12\nDIRNAME=" +
        disc.Path("twelve") +
        "\n"
        "[COMMAND3]\nDIRNAME=" +
        disc.Path("notype") + "\n" +
        // COMMAND4 is missing.
        MakeDirCommand(5, disc, "five") +
        "[COMMAND6]\nCOMMANDTYPE=0x6\nDIRNAME=" + disc.Path("hex") + "\n");
    RunResult run = RunProgram("\"" + exe + "\" /d");
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(DirExists(disc.Path("nine"))) << "type 9 did something";
    EXPECT_FALSE(DirExists(disc.Path("twelve"))) << "type 12 did something";
    EXPECT_FALSE(DirExists(disc.Path("notype"))) << "a section without COMMANDTYPE is type 1";
    EXPECT_TRUE(DirExists(disc.Path("five"))) << "the list stopped early";
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
    disc.WriteFile("next.cfg", "[tarnwick]\nNUMBEROFCOMMANDS=1\n" + MakeDirCommand(2, disc, "d2") +
                                   MakeDirCommand(3, disc, "d3") + MakeDirCommand(4, disc, "d4"));
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=3\n[COMMAND1]\nCOMMANDTYPE=11\nSOURCEFILENAME=" +
                     disc.Path("next.cfg") + "\nDESTFILENAME=" + disc.Path("tarnwick.cfg") + "\n");
    RunResult run = RunProgram("\"" + exe + "\"");
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_TRUE(DirExists(disc.Path("d2")) && DirExists(disc.Path("d3")))
        << "the new script's sections were not run";
    EXPECT_FALSE(DirExists(disc.Path("d4"))) << "a section past the count ran";
}
