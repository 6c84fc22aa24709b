// First end-to-end checks: the exe starts from a disc, and ends with 0.
#include <gtest/gtest.h>

#include "harness/harness.h"

using namespace harness;

TEST(Smoke, RunsFromDiscWithDebugBoxes) {
    Disc disc('D', CaseName());
    std::string exe = disc.InstallExe();
    disc.WriteScript("[tarnwick]\nNUMBEROFCOMMANDS=0\n");
    RunResult run = RunProgram("\"" + exe + "\" /d");
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u) << run.Describe();
    EXPECT_EQ(Captions(run),
              (std::vector<std::string>{"Version", "lpCmdLine", "Vorn", "StringOut", "szDriveLetter"}))
        << run.Describe();
}
