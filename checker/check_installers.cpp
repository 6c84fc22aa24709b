// Checks of the command lines that start installers, by the conventions of their engines
// (Windows Installer's msiexec, NSIS, Inno Setup's /LOG=), and of a type 1 command's time limit.
#include <algorithm>

#include "checks.h"

namespace check {

namespace {

const Severity kError = Severity::kError;
const Severity kWarning = Severity::kWarning;

// The hand-off pause after the program ends, in the unit of COMMANDTIMEOUT (seconds).
const int kHandOffPause = 2;

struct Word {
    std::string text;  // quotes removed
    bool quoted = false;
    size_t at = 0;   // offset in the command line
    size_t end = 0;  // offset after it
};

// The words of a command line as a program's start-up code splits them: at blanks outside
// quotes.
std::vector<Word> Words(const std::string& line) {
    std::vector<Word> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        Word word;
        word.at = i;
        bool inQuotes = false;
        for (; i < line.size() && (inQuotes || (line[i] != ' ' && line[i] != '\t')); ++i) {
            if (line[i] == '"') {
                inQuotes = !inQuotes;
                word.quoted = true;
            } else {
                word.text += line[i];
            }
        }
        word.end = i;
        words.push_back(word);
    }
    return words;
}

// An option in msiexec's spelling: `/` or `-`, then the name in upper case.
std::string Option(std::string_view word) {
    if (word.empty() || (word[0] != '/' && word[0] != '-')) return "";
    return "/" + Upper(word.substr(1));
}

// A path that does not depend on the current folder: `X:\...` or `\\server\...`.
bool FullPath(const std::string& path) {
    return (path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
           path.compare(0, 2, "\\\\") == 0;
}

std::string FileName(const std::string& path) {
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void CheckLogPath(const Key* line, const Word& word, const std::string& path, Findings& findings) {
    // A macro is not expanded in COMMANDLINE: the macro check says so already.
    if (path.empty() || FullPath(path) || path.find('%') != std::string::npos) return;
    findings.Add(Position{line->valueAt().line, line->valueAt().column + static_cast<int>(word.at)},
                 kWarning, "installer-log",
                 "the log path " + Quoted(path) +
                     " is relative: the installer writes it in the current folder it inherits "
                     "(usually the disc's root, which cannot be written), and no log is kept; "
                     "give the full path, such as C:\\WINDOWS\\TEMP\\" +
                     FileName(path));
}

void CheckMsiexec(const PlanValue& v, const std::vector<Word>& words, const Setting& setting,
                  Findings& findings) {
    bool quiet = false, noRestart = false;
    for (size_t w = 1; w < words.size(); ++w) {
        std::string option = Option(words[w].text);
        // /q, /qn, /qb and their variants run unattended; /qf and /qr show the dialogs.
        if (option == "/QUIET" || option == "/PASSIVE" ||
            (option.compare(0, 2, "/Q") == 0 && option.compare(0, 3, "/QF") != 0 &&
             option.compare(0, 3, "/QR") != 0 && option.compare(0, 3, "/QU") != 0))
            quiet = true;
        if (option == "/NORESTART" || Upper(words[w].text) == "REBOOT=REALLYSUPPRESS")
            noRestart = true;
        if (IsLogOption(words[w].text) && w + 1 < words.size() && Option(words[w + 1].text).empty())
            CheckLogPath(v.source, words[w + 1], words[w + 1].text, findings);
    }
    if (!quiet) {
        findings.Add(v.source->valueAt(), kWarning, "installer-quiet",
                     "msiexec without /qn or /quiet shows Windows Installer's dialogs and waits "
                     "until someone answers them; add /qn");
    }
    if (setting.restart && !noRestart) {
        findings.Add(v.source->valueAt(), kWarning, "installer-restart",
                     "the run restarts Windows after its last command (tarnwick's /r), but this "
                     "msiexec has no /norestart: Windows Installer may restart the machine in the "
                     "middle of the run, and the commands after it never run; add /norestart");
    }
}

void CheckCommandLine(const PlanValue& v, const Setting& setting, Findings& findings) {
    std::vector<Word> words = Words(v.value);
    if (words.empty()) return;
    std::string program = Upper(FileName(words[0].text));
    if (EndsWith(program, ".MSI")) {
        findings.Add(v.source->valueAt(), kError, "installer-msi",
                     Quoted(words[0].text) +
                         " is a Windows Installer package, not a program: Windows cannot start "
                         "it and the command does nothing; write COMMANDLINE=msiexec /i \"" +
                         words[0].text + "\" /qn");
        return;
    }
    if (program == "MSIEXEC" || program == "MSIEXEC.EXE") CheckMsiexec(v, words, setting, findings);
    for (size_t w = 1; w < words.size(); ++w) {
        const Word& word = words[w];
        std::string upper = Upper(word.text);
        Position at{v.source->valueAt().line,
                    v.source->valueAt().column + static_cast<int>(word.at)};
        if (upper.compare(0, 5, "/LOG=") == 0)
            CheckLogPath(v.source, word, word.text.substr(5), findings);
        // NSIS takes everything after " /D=" as the folder, quotes included; only upper case.
        if (word.text.compare(0, 3, "/D=") != 0) continue;
        // The folder as meant: up to the next option (a folder may have blanks).
        size_t next = w + 1;
        while (next < words.size() && !words[next].quoted && !Option(words[next].text).size())
            ++next;
        if (!word.quoted && next == words.size()) break;
        size_t end = words[next - 1].end;
        std::string folder = v.value.substr(word.at + 3, end - word.at - 3);
        folder.erase(std::remove(folder.begin(), folder.end(), '"'), folder.end());
        std::string others = v.value.substr(0, word.at);
        while (!others.empty() && others.back() == ' ') others.pop_back();
        size_t after = v.value.find_first_not_of(' ', end);
        if (after != std::string::npos) others += " " + v.value.substr(after);
        findings.Add(at, kError, "installer-dir",
                     std::string(word.quoted ? "NSIS takes the quotes after /D= as part of the "
                                               "folder's name"
                                             : "NSIS takes everything after /D= as the folder, "
                                               "so the options after it are never read") +
                         ": /D= goes last and without quotes, even with blanks; write "
                         "COMMANDLINE=" +
                         others + " /D=" + folder);
        break;
    }
}

void CheckTimeLimit(const PlannedCommand& command, Findings& findings) {
    const PlanValue* handOff = command.Find(kKeyCommandIShield);
    const PlanValue* limit = command.Find(kKeyCommandTimeout);
    if (handOff == nullptr || limit == nullptr || limit->source == nullptr) return;
    if (handOff->number == 0 || limit->number <= 0 || limit->number >= kHandOffPause) return;
    findings.Add(limit->source->valueAt(), kWarning, "time-limit",
                 "COMMANDTIMEOUT=" + std::to_string(limit->number) + " is shorter than the " +
                     std::to_string(kHandOffPause) +
                     "-second pause after a hand-off installer (COMMANDISHIELD=1): the time runs "
                     "out before its window is looked for; give the time both installers take");
}

}  // namespace

bool IsLogOption(std::string_view word) {
    // /l*v PATH, /lv PATH, /log PATH.
    std::string option = Option(word);
    return option == "/LOG" ||
           (option.size() >= 2 && option.compare(0, 2, "/L") == 0 &&
            option.find_first_not_of("*IWEARUCMOPVX+!", 2) == std::string::npos);
}

void CheckInstaller(const PlannedCommand& command, const Setting& setting, Findings& findings) {
    if (command.type != 1) return;
    const PlanValue* line = command.Find(kKeyCommandLine);
    if (line != nullptr && line->source != nullptr) CheckCommandLine(*line, setting, findings);
    CheckTimeLimit(command, findings);
}

}  // namespace check
