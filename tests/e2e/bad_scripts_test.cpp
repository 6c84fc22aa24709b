// Malformed scripts, run end to end: each run ends, exits 0, shows nothing, and changes nothing
// beyond what its valid commands ask. The corpus lies in tests/data/bad_scripts; a file names
// the effects it may have in lines "; expect-dir: NAME" (a directory made in the disc folder,
// which is the current directory), "; expect-reg: NAME=VALUE" (a value below the case's key
// Software\TarnwickTests\BadScripts\<file name>) and "; expect-key" (that key, or keys below it,
// without values). A few large scripts are made here instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "harness/harness.h"

using namespace harness;

namespace {

const char kCaseKeys[] = "Software\\TarnwickTests\\BadScripts";

struct Expected {
    bool key = false;
    std::set<std::string> dirs;
    std::map<std::string, std::string> values;
};

Expected ReadExpectations(std::string script) {
    // A UTF-16 script (the platform reads those too) is read here as its low bytes.
    if (script.rfind("\xff\xfe", 0) == 0) {
        std::string narrow;
        for (size_t i = 2; i < script.size(); i += 2) narrow += script[i];
        script = narrow;
    }
    if (script.rfind("\xef\xbb\xbf", 0) == 0) script.erase(0, 3);
    for (char& c : script) {
        if (c == '\r') c = '\n';
    }
    Expected expected;
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        if (line == "; expect-key") expected.key = true;
        if (line.rfind("; expect-dir: ", 0) == 0) expected.dirs.insert(line.substr(14));
        if (line.rfind("; expect-reg: ", 0) == 0) {
            std::string rest = line.substr(14);
            size_t eq = rest.find('=');
            expected.values[rest.substr(0, eq)] = rest.substr(eq + 1);
        }
    }
    return expected;
}

std::map<std::string, std::string> Values(const std::string& key) {
    std::map<std::string, std::string> values;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD nameSize = sizeof(name);
        BYTE data[4096];
        DWORD dataSize = sizeof(data);
        if (RegEnumValueA(handle, i, name, &nameSize, nullptr, nullptr, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        std::string text(reinterpret_cast<char*>(data), dataSize);
        if (!text.empty() && text.back() == '\0') text.pop_back();
        values[name] = text;
    }
    RegCloseKey(handle);
    return values;
}

void RunCase(const std::string& name, const std::string& script) {
    SCOPED_TRACE(name);
    Disc disc('D', "BadScripts_" + name);
    std::string exe = disc.InstallExe();
    disc.WriteScript(script);
    std::string key = std::string(kCaseKeys) + "\\" + name;
    DeleteHklmTree(key);
    Expected expected = ReadExpectations(script);

    RunOptions options;
    options.currentDir = disc.Path();
    RunResult run = RunProgram("\"" + exe + "\"", options);
    ASSERT_TRUE(run.finished) << run.Describe();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty()) << run.Describe();

    std::set<std::string> want = {"TARNWICK.EXE", "tarnwick.cfg"};
    want.insert(expected.dirs.begin(), expected.dirs.end());
    std::set<std::string> got = Entries(disc.Path());
    for (const std::string& entry : got) EXPECT_TRUE(want.count(entry)) << "made " << entry;
    for (const std::string& entry : want) EXPECT_TRUE(got.count(entry)) << "no " << entry;
    for (const std::string& dir : expected.dirs) {
        EXPECT_TRUE(DirExists(disc.Path(dir))) << dir << " is no directory";
    }
    if (expected.values.empty()) {
        EXPECT_EQ(HklmKeyExists(key), expected.key) << key;
        EXPECT_TRUE(Values(key).empty()) << "values in " << key;
    } else {
        EXPECT_EQ(Values(key), expected.values);
    }
    DeleteHklmTree(key);
}

}  // namespace

TEST(BadScripts, Corpus) {
    const char* dir = std::getenv("TARNWICK_DATA");
    ASSERT_NE(dir, nullptr);
    std::string corpus = ToWindowsPath(dir) + "\\bad_scripts";
    int count = 0;
    for (const std::string& file : Entries(corpus)) {
        std::string name = file.substr(0, file.rfind('.'));
        auto script = ReadFile(corpus + "\\" + file);
        ASSERT_TRUE(script.has_value()) << file;
        RunCase(name, *script);
        ++count;
    }
    EXPECT_GE(count, 30) << "the corpus lost files";
}

// Scripts too large to keep as files.
TEST(BadScripts, Generated) {
    // Binary junk from a fixed seed: no section header survives it.
    std::string junk;
    unsigned seed = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk += static_cast<char>(seed >> 16);
    }
    RunCase("binary-junk", junk);
    // One line of a megabyte, inside the section the count is read from.
    RunCase("megabyte-line", "[tarnwick]\nAPPTITLE=" + std::string(1 << 20, 'a') +
                                 "\nNUMBEROFCOMMANDS=1\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=" +
                                 std::string(1 << 20, 'b') + "\n");
    // More section names than their list's array holds (about 60 KB): the count is not bounded
    // by them, but no command is found. (20,000 short names took most of the harness's minute
    // under 64-bit Wine on a busy machine; what is shown is the same.)
    std::string names = "[tarnwick]\nNUMBEROFCOMMANDS=1500\n";
    const std::string padding(30, 'N');
    for (int i = 0; i < 1500; ++i) names += "[SECTION" + padding + std::to_string(i) + "]\n";
    RunCase("many-section-names", names);
}
