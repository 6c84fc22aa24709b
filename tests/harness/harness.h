// Test harness: starts the real tarnwick.exe from a disc folder mapped to a drive letter, reads
// and answers every message box it shows, and checks effects in the registry and on disk.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace harness {

// One message box as the user saw it.
struct Box {
    std::string caption;
    std::string text;
    bool operator==(const Box& other) const {
        return caption == other.caption && text == other.text;
    }
};

struct RunOptions {
    std::string currentDir;  // the started program's current directory; empty: the harness's
    // The file to start when the command line does not name it with its directory (a program
    // typed by its bare name at a prompt): the command line then reaches it as written.
    std::string applicationName;
    DWORD timeoutMs = 60000;  // generous bound; a run still going then is killed and reported
    // Called for each box before it is answered with OK (for example to look at the screen).
    std::function<void(const Box&)> onBox;
    // Called with the program's process once it has ended by itself, before the handle is closed.
    std::function<void(HANDLE process)> onEnd;
    // Runs the program as a debugger would: a handle closed that is not open (closed twice, or
    // never obtained) then raises an exception in it, counted in RunResult::invalidHandleCloses.
    bool underDebugger = false;
};

struct RunResult {
    bool started = false;
    bool finished = false;  // ended by itself within the time-out
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<Box> boxes;       // in the order they appeared
    int invalidHandleCloses = 0;  // with RunOptions::underDebugger
    std::string Describe() const;
};

// Starts `commandLine` as given (the program path included) and waits for it, answering every
// message box of that process with OK.
RunResult RunProgram(const std::string& commandLine, const RunOptions& options = {});

// A console program's run: what it wrote to its output and error streams, and its exit code.
struct ConsoleRun {
    bool finished = false;
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};
ConsoleRun RunConsole(const std::string& commandLine, DWORD timeoutMs = 60000);

// A window's title and its class name.
std::string WindowText(HWND window);
std::string WindowClass(HWND window);

// Captions of the boxes, in order, for compact comparisons.
std::vector<std::string> Captions(const RunResult& result);

// The name of the running test, for folders and registry keys of its own.
std::string CaseName();

// A folder on a disc drive (D: to H: are mapped to folders of the build tree). It is wiped
// when made, so each test starts from nothing.
class Disc {
  public:
    Disc(char drive, const std::string& folder);
    // Full path of something on the disc: "D:\case\sub\file".
    std::string Path(const std::string& relative = "") const;
    // Copies the built exe onto the disc under `name`; returns its full path.
    std::string InstallExe(const std::string& name = "TARNWICK.EXE") const;
    void WriteScript(const std::string& text) const;
    void WriteFile(const std::string& relative, const std::string& content) const;
    void MakeDir(const std::string& relative) const;

  private:
    std::string root_;
};

// Files.
std::string ToWindowsPath(const std::string& unixPath);
void RemoveTree(const std::string& path);  // files, folders, read-only or not; quiet if absent
bool FileExists(const std::string& path);
bool DirExists(const std::string& path);
std::set<std::string> Entries(const std::string& dir);  // names in a folder, without . and ..
std::optional<std::string> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
DWORD Attributes(const std::string& path);
std::string TempDir();  // the temporary directory without its trailing separator
std::string CurrentDir();

// The registry below HKEY_LOCAL_MACHINE.
std::optional<std::string> ReadHklmString(const std::string& key, const std::string& name);
bool HklmKeyExists(const std::string& key);
bool HklmValueExists(const std::string& key, const std::string& name);
void DeleteHklmTree(const std::string& key);
void SetHklmString(const std::string& key, const std::string& name, const std::string& value);

// Path of a helper program built with the tests, in Windows form.
std::string HelperPath(const std::string& name);

// Copies a helper program onto the disc as <name>.exe (the helper's own name by default).
void InstallHelper(const Disc& disc, const std::string& helper, const std::string& name = "");

}  // namespace harness
