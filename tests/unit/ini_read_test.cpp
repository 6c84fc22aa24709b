// Reading the script through the platform's initialisation-file functions.
#include <gtest/gtest.h>

#include "base/shell_state.h"
#include "base/text.h"
#include "harness/harness.h"
#include "script/ini_read.h"

// A default of a single blank comes back empty everywhere: Windows trims trailing blanks from
// the default, Wine returns it as given, so the reader trims it itself.
TEST(IniRead, DefaultsAndCuts) {
    harness::Disc disc('D', harness::CaseName());
    disc.WriteScript("[tarnwick]\nAPPTITLE = \"Driver Setup\" \nLONG=" + std::string(400, 'v') +
                     "\nCOUNT= 12abc\n");
    TextCopy(g_shell.ConfigPath, kPathSize, disc.Path("tarnwick.cfg").c_str());

    char buffer[260];
    ReadIniString("tarnwick", "MISSING", " ", buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "") << "default of one blank";
    ReadIniString("TARNWICK", "apptitle", " ", buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "Driver Setup") << "quotes and blanks around a value";
    ReadIniString("tarnwick", "LONG", "", buffer, sizeof(buffer));
    EXPECT_EQ(std::string(buffer), std::string(259, 'v')) << "a long value is cut";
    EXPECT_EQ(ReadIniInt("tarnwick", "COUNT", 0), 12);
    EXPECT_EQ(ReadIniInt("tarnwick", "MISSING", -7), -7);

    // No script located: defaults, without looking for any file.
    g_shell.ConfigPath[0] = '\0';
    ReadIniString("tarnwick", "APPTITLE", " ", buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(ReadIniInt("tarnwick", "COUNT", 1), 1);
}
