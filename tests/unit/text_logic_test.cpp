// The program's pure text logic, called directly: cases that are hard to reach through a
// command line, with buffers filled with a sentinel so that an overrun shows.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "base/split_at_char.h"
#include "app/start_dir.h"
#include "base/text.h"
#include "sequence/command_sections.h"

TEST(TextLogic, FindStartDir) {
    struct Case {
        std::string text;
        StartDirFound found;
        std::string dir;
    };
    const std::string longDir = "C:\\" + std::string(400, 'A');
    const Case cases[] = {
        {"\"D:\\SETUP\\TARNWICK.EXE\" /R", StartDirFound::kWithDirectory, "D:\\SETUP"},
        {"D:\\TARNWICK.EXE", StartDirFound::kWithDirectory, "D:"},
        {"D:TARNWICK.EXE /D", StartDirFound::kWithDirectory, "D:"},
        {"\"D:\\SETUP\\MYTARNWICK.EXE\"", StartDirFound::kNo, ""},
        {"D:\\SETUP\\TARNWICK.EXE.BAK", StartDirFound::kNo, ""},
        // The first match is no whole name; the second is.
        {"\"D:\\MYTARNWICK.EXE\\TARNWICK.EXE\"", StartDirFound::kWithDirectory,
         "D:\\MYTARNWICK.EXE"},
        {"TARNWICK.EXE /R", StartDirFound::kBareName, ""},
        {"\"TARNWICK.EXE\"", StartDirFound::kBareName, ""},
        {"", StartDirFound::kNo, ""},
        {"\"", StartDirFound::kNo, ""},
        {"\"" + longDir + "\\TARNWICK.EXE\"", StartDirFound::kWithDirectory,
         longDir.substr(0, 259)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        char out[261];
        memset(out, '#', sizeof(out));
        EXPECT_EQ(FindStartDir(c.text.c_str(), "TARNWICK.EXE", out, 260), c.found);
        EXPECT_EQ(std::string(out), c.dir);
        EXPECT_EQ(out[260], '#') << "written past the array";
    }
}

TEST(TextLogic, SplitAtChar) {
    struct Case {
        const char* text;
        int result;
        const char* first;
        const char* rest;
    };
    const Case cases[] = {
        {"D:\\SETUP\\TARNWICK.EXE\" /x", 0, "D:\\SETUP\\TARNWICK.EXE", "/x"},
        {"D:\\A.EXE\"   ", 0, "D:\\A.EXE", ""},
        {"no delimiter", 1, "no delimiter", ""},
        {"", 1, "", ""},
        {"\"", 0, "", ""},
    };
    for (const Case& c : cases) {
        char first[260];
        char rest[260];
        memset(rest, '#', sizeof(rest));
        EXPECT_EQ(SplitAtChar(c.text, first, sizeof(first), rest, sizeof(rest), '"'), c.result)
            << c.text;
        EXPECT_STREQ(first, c.first) << c.text;
        EXPECT_STREQ(rest, c.rest) << c.text;
    }
    // Both outputs are cut at their sizes.
    std::string longText = std::string(300, 'f') + "\"" + std::string(300, 'r');
    char first[10];
    char rest[12];
    memset(rest, '#', sizeof(rest));
    EXPECT_EQ(SplitAtChar(longText.c_str(), first, 8, rest, 8, '"'), 0);
    EXPECT_STREQ(first, "fffffff");
    EXPECT_STREQ(rest, "rrrrrrr");
    EXPECT_EQ(rest[8], '#');
}

TEST(TextLogic, AppendIntAndCuts) {
    struct Case {
        int value;
        const char* text;
    };
    for (const Case& c :
         {Case{1, "COMMAND1"}, Case{0, "COMMAND0"}, Case{-3, "COMMAND-3"},
          Case{INT_MAX, "COMMAND2147483647"}, Case{INT_MIN, "COMMAND-2147483648"}}) {
        char section[20] = "COMMAND";
        TextAppendInt(section, sizeof(section), c.value);
        EXPECT_STREQ(section, c.text) << c.value;
    }
    char small[6] = "AB";
    EXPECT_EQ(TextAppend(small, sizeof(small), "CDEFGH"), 5);
    EXPECT_STREQ(small, "ABCDE");
}

TEST(TextLogic, HighestCommandSection) {
    struct Case {
        const char* name;
        std::string names;  // zero-separated, as the platform lists them
        int highest;
    };
    using std::string;
    const Case cases[] = {
        {"none", string("tarnwick\0", 9), 0},
        {"any case", string("tarnwick\0command2\0Command10\0COMMAND3\0", 37), 10},
        {"after an empty name", string("tarnwick\0\0COMMAND4\0", 20), 4},
        {"not a command section", string("COMMAND\0COMMAND5X\0COMMANDS\0XCOMMAND7\0", 40), 0},
        {"the largest int", string("COMMAND2147483647\0", 18), 2147483647},
        {"blanks around the name", string(" COMMAND6\t\0", 11), 6},
        // Names that no command reads count for nothing, whatever number they seem to carry.
        {"blanks and punctuation inside",
         string("COMMAND 99999\0COMMAND-8\0COMMAND+9\0COMMAND1\0", 43), 1},
        {"leading zeros", string("COMMAND007\0COMMAND02147483647\0", 30), 0},
        {"past the largest int", string("COMMAND99999999999\0COMMAND2147483648\0COMMAND2\0", 46),
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        string list = c.names + '\0';  // the terminator after the list is not counted
        EXPECT_EQ(HighestCommandSection(list.c_str(), static_cast<int>(c.names.size())), c.highest);
    }
}
