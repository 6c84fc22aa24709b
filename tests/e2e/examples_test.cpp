// The example scripts shipped with a release, each run as it stands from a read-only disc of its
// own (the whole of drive H:, so that %CURRENTDRIVE% names it), with none of the programs they
// start on it: those are skipped, and every other command must do what the notes say.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "harness/harness.h"
#include "harness/script_run.h"

using namespace harness;

namespace {

struct Value {
    std::string key, name, data;  // below HKEY_LOCAL_MACHINE; "%TEMP%" in data is filled in
};

struct Copy {
    std::string fromDisc, toTemp;  // a file on the disc and where it lands in %TEMP%
};

struct Example {
    std::string folder;
    std::vector<Value> values;
    std::vector<Copy> copies;
    std::vector<std::string> removed;  // folders in %TEMP%, made before the run, gone after
};

void CopyTree(const std::string& from, const std::string& to) {
    for (const std::string& name : Entries(from)) {
        std::string source = from + "\\" + name, target = to + "\\" + name;
        if (DirExists(source)) {
            CreateDirectoryA(target.c_str(), nullptr);
            CopyTree(source, target);
        } else {
            EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE)) << source;
        }
    }
}

std::string InTemp(std::string text) {
    size_t at = text.find("%TEMP%");
    return at == std::string::npos ? text : text.replace(at, 6, TempDir());
}

}  // namespace

TEST(Examples, RunFromADiscOfTheirOwn) {
    const Example examples[] = {
        {"disc",
         {{"Software\\Example\\Setup", "InfPath", "%TEMP%\\disp.inf"}},
         {{"drivers\\disp.inf", "disp.inf"}},
         {}},
        {"chain-installers", {}, {}, {}},
        {"driver-to-temp",
         {{"Software\\Example\\DisplayDriver", "InfPath", "%TEMP%\\ExampleDriver\\disp.inf"}},
         {{"drivers\\disp.inf", "ExampleDriver\\disp.inf"}},
         {}},
        {"hand-off", {{"Software\\Example\\Viewer", "InstalledFrom", "H:"}}, {}, {}},
        // Run without /r: a restart would end every process of the prefix.
        {"restart", {}, {}, {"ExampleSP"}},
    };
    const char* dir = std::getenv("TARNWICK_EXAMPLES");
    ASSERT_NE(dir, nullptr);
    std::string source = ToWindowsPath(dir);
    std::set<std::string> untested = Entries(source);

    // What a run leaves: the keys below Software\Example and the copies' top folders in %TEMP%.
    auto clean = [](const Example& example) {
        DeleteHklmTree("Software\\Example");
        for (const Copy& copy : example.copies)
            RemoveTree(TempDir() + "\\" + copy.toTemp.substr(0, copy.toTemp.find('\\')));
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(example.folder);
        untested.erase(example.folder);
        clean(example);
        for (const std::string& folder : example.removed)
            CreateDirectoryA((TempDir() + "\\" + folder).c_str(), nullptr);
        Disc disc('H', "");
        CopyTree(source + "\\" + example.folder, disc.Path());
        std::string exe = disc.InstallExe();
        MakeFilesReadOnly(disc.Path());

        RunOptions options;
        options.currentDir = disc.Path() + "\\";
        RunResult run = RunProgram("\"" + exe + "\"", options);
        ASSERT_TRUE(run.finished) << run.Describe();
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_TRUE(run.boxes.empty()) << run.Describe();
        for (const Value& value : example.values) {
            EXPECT_EQ(ReadHklmString(value.key, value.name), InTemp(value.data))
                << value.key << "\\" << value.name;
        }
        for (const Copy& copy : example.copies) {
            EXPECT_EQ(ReadFile(TempDir() + "\\" + copy.toTemp), ReadFile(disc.Path(copy.fromDisc)))
                << "%TEMP%\\" << copy.toTemp;
        }
        for (const std::string& folder : example.removed)
            EXPECT_FALSE(DirExists(TempDir() + "\\" + folder)) << folder << " is still there";
        clean(example);
    }
    for (const std::string& folder : untested)
        ADD_FAILURE() << "examples\\" << folder << " is not run";
}
