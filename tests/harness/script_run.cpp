// Running a script from a disc made read-only like a real one, and the test's own places in
// the registry and in the temporary directory.
#include "harness/script_run.h"

namespace harness {

void MakeFilesReadOnly(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string full = path + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            MakeFilesReadOnly(full);
        } else {
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_READONLY);
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

RunResult RunScript(const Disc& disc, const std::string& script, const std::string& options) {
    disc.WriteScript(script);
    std::string exe = disc.InstallExe();
    MakeFilesReadOnly(disc.Path());
    std::string commandLine = "\"" + exe + "\"";
    if (!options.empty()) commandLine += " " + options;
    return RunProgram(commandLine);
}

std::string TestKey() { return "Software\\TarnwickTests\\" + CaseName(); }

std::string TestTempDir() { return TempDir() + "\\" + CaseName(); }

std::string ForThisTest(std::string script, const std::vector<Fill>& more) {
    std::vector<Fill> fills = {{"$KEY", TestKey()}, {"$CASE", CaseName()}};
    fills.insert(fills.end(), more.begin(), more.end());
    for (const auto& [placeholder, text] : fills) {
        for (size_t at = script.find(placeholder); at != std::string::npos;
             at = script.find(placeholder, at + text.size())) {
            script.replace(at, placeholder.size(), text);
        }
    }
    return script;
}

}  // namespace harness
