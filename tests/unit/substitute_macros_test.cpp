// The macro substitution on its own: results, and the bound of the caller's array, checked with a
// sentinel byte after it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "script/substitute_macros.h"

namespace {

struct Case {
    const char* name;
    std::string input;
    std::string temp;
    std::string drive;
    int size;  // of the output array
    std::string expected;
};

}  // namespace

TEST(SubstituteMacros, TableOfCases) {
    const std::string t = "C:\\WINDOWS\\TEMP";
    const std::string longTemp(300, 'T');
    const std::string longDrive(300, 'D');
    const Case cases[] = {
        {"temp", "%TEMP%\\setup.log", t, "D:", 520, t + "\\setup.log"},
        {"drive", "%CURRENTDRIVE%\\x", t, "D:", 520, "D:\\x"},
        {"drive before temp in the text", "%CURRENTDRIVE%\\x;%TEMP%\\y", t, "D:", 520,
         "D:\\x;" + t + "\\y"},
        {"first temp only", "%TEMP%\\a;%TEMP%\\b", t, "D:", 520, t + "\\a;%TEMP%\\b"},
        {"first drive only", "%CURRENTDRIVE%%CURRENTDRIVE%", t, "D:", 520, "D:%CURRENTDRIVE%"},
        {"lower case", "%temp%;%currentdrive%", t, "D:", 520, "%temp%;%currentdrive%"},
        {"temp holding the drive macro is substituted again", "%TEMP%", "%CURRENTDRIVE%", "D:", 520,
         "D:"},
        {"empty temp and drive", "[%TEMP%][%CURRENTDRIVE%]", "", "", 520, "[][]"},
        {"empty input", "", t, "D:", 520, ""},
        {"cut to the array", "%TEMP%\\abc", t, "D:", 8, t.substr(0, 7)},
        {"array of one", "%TEMP%", t, "D:", 1, ""},
        {"both long: cut at 519", "%TEMP%%CURRENTDRIVE%", longTemp, longDrive, 520,
         (longTemp + longDrive).substr(0, 519)},
        {"long temp cuts the working text", std::string("%TEMP%") + longTemp + "%CURRENTDRIVE%",
         longTemp, "D:", 520, (longTemp + longTemp).substr(0, 519)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char out[600];
        std::memset(out, '#', sizeof(out));
        SubstituteMacros(c.input.c_str(), c.temp.c_str(), c.drive.c_str(), out, c.size);
        EXPECT_EQ(std::string(out), c.expected);
        EXPECT_EQ(out[c.size], '#') << "written past the array";
    }
}
