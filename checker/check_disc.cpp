// Checks against the disc: programs and files the script takes from it, and the folders its
// copies and new directories go into.
#include <algorithm>
#include <unordered_map>

#include "checks.h"
#include "disc_files.h"

namespace check {

namespace {

const Severity kError = Severity::kError;
const Severity kWarning = Severity::kWarning;

bool IsDrive(const std::string& text) {
    return text.size() == 2 && text[1] == ':' &&
           ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

// The part of a Windows path below the disc's root, or false when the path is not on the disc.
// A path without a drive counts from the current folder, which is the disc's root when the
// program is started from there.
bool OnDisc(const std::string& path, const Setting& setting, std::string* relative) {
    if (path.size() >= 2 && path[1] == ':') {
        if (!IsDrive(setting.drive) || Upper(path.substr(0, 2)) != Upper(setting.drive))
            return false;
        *relative = path.substr(path.find_first_not_of('\\', 2) == std::string::npos
                                    ? path.size()
                                    : path.find_first_not_of('\\', 2));
        return true;
    }
    if (path.compare(0, 2, "\\\\") == 0) return false;
    *relative = path.substr(std::min(path.size(), path.find_first_not_of('\\')));
    return true;
}

std::string Parent(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string Trimmed(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return Upper(path);
}

void CheckProgram(const PlannedCommand& command, const Setting& setting, Findings& findings) {
    const PlanValue* line = command.Find(kKeyCommandLine);
    if (line == nullptr || line->source == nullptr || line->value.empty()) return;
    std::string program;
    const std::string& text = line->value;
    if (text[0] == '"') {
        program = text.substr(1, text.find('"', 1) - 1);
    } else {
        program = text.substr(0, text.find_first_of(" \t"));
    }
    std::string relative;
    // A value with a macro left in it is found wrong by the macro check already.
    if (program.empty() || program.find('%') != std::string::npos) return;
    if (!OnDisc(program, setting, &relative)) return;
    size_t slash = relative.find_last_of('\\');
    bool bare = program.find_first_of("\\:") == std::string::npos;
    bool found = FileOnDisc(setting.discDir, relative) ||
                 (relative.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos &&
                  FileOnDisc(setting.discDir, relative + ".exe"));
    if (found) return;
    if (bare) {
        findings.Add(line->source->valueAt(), Severity::kNote, "missing-file",
                     Quoted(program) +
                         " is not on the disc: Windows looks for it in the current folder, the "
                         "system folders and the search path");
    } else {
        findings.Add(line->source->valueAt(), kError, "missing-file",
                     Quoted(program) + " is not on the disc (looked for " + Quoted(relative) +
                         " in " + setting.discDir + "): the program cannot start");
    }
}

void CheckSource(const PlannedCommand& command, const Setting& setting, Findings& findings) {
    const PlanValue* source = command.Find(kKeySourceFileName);
    std::string relative;
    if (source == nullptr || source->source == nullptr || source->value.empty()) return;
    if (source->value.find('%') != std::string::npos) return;
    if (!OnDisc(source->value, setting, &relative)) return;
    if (FileOnDisc(setting.discDir, relative)) return;
    findings.Add(source->source->valueAt(), kError, "missing-file",
                 Quoted(source->value) + " is not on the disc (looked for " + Quoted(relative) +
                     " in " + setting.discDir + "): the copy fails");
}

// Where a folder is first made: the position in the plan and the command's number.
struct MadeAt {
    size_t position;
    int index;
};

// The folder a copy or a new directory goes into must exist when the command runs.
void CheckFolder(const PlannedCommand& command, size_t position, const std::string& temp,
                 const std::unordered_map<std::string, MadeAt>& madeBy, Findings& findings) {
    const PlanValue* target = command.type == 11  ? command.Find(kKeyDestFileName)
                              : command.type == 6 ? command.Find(kKeyDirName)
                                                  : nullptr;
    if (target == nullptr || target->source == nullptr || target->value.empty()) return;
    if (target->value.find('%') != std::string::npos) return;
    std::string folder = Trimmed(Parent(target->value));
    if (folder.empty()) {
        if (command.type == 11)
            findings.Add(target->source->valueAt(), kWarning, "folder-not-created",
                         Quoted(target->value) +
                             " has no folder: it lands in the current folder, usually the disc's "
                             "root, which cannot be written; give the full path");
        return;
    }
    if (folder == temp || (folder.size() <= 3 && folder.size() >= 2 && folder[1] == ':')) return;
    // Made by a type 6 command of the script: before this one, or too late.
    int later = 0;
    auto made = madeBy.find(folder);
    if (made != madeBy.end()) {
        if (made->second.position < position) return;
        later = made->second.index;
    }
    bool underTemp = folder.compare(0, temp.size() + 1, temp + "\\") == 0;
    if (later != 0) {
        findings.Add(target->source->valueAt(), kWarning, "folder-not-created",
                     Quoted(Parent(target->value)) + " is made only by [COMMAND" +
                         std::to_string(later) + "], after this command: move that one first");
    } else if (underTemp) {
        findings.Add(target->source->valueAt(), kWarning, "folder-not-created",
                     "nothing creates " + Quoted(Parent(target->value)) +
                         (command.type == 11 ? ": the copy fails"
                                             : ": a directory is made one level at a time") +
                         "; add a type 6 command for it before this one");
    }
}

}  // namespace

struct DiscCheck::State {
    const Setting& setting;
    Findings& findings;
    std::string temp;  // %TEMP%, as Trimmed gives it
    // Each folder the script makes, with the first command that makes it.
    std::unordered_map<std::string, MadeAt> madeBy;
};

DiscCheck::DiscCheck(const Plan& plan, const Setting& setting, bool discGiven, Findings& findings)
    : state_(new State{setting, findings, Trimmed(setting.tempDir), {}}) {
    if (discGiven && !FileOnDisc(setting.discDir, "tarnwick.exe")) {
        findings.Add({1, 1}, kWarning, "missing-file",
                     "no tarnwick.exe beside the script in " + setting.discDir);
    }
    PlannedCommand command;
    for (size_t i = 0; i < plan.size(); ++i) {
        if (plan.TypeAt(i) != 6) continue;
        plan.Fill(i, command);
        const PlanValue* dir = command.Find(kKeyDirName);
        if (dir != nullptr) state_->madeBy.emplace(Trimmed(dir->value), MadeAt{i, command.index});
    }
}

DiscCheck::~DiscCheck() = default;

void DiscCheck::Run(const PlannedCommand& command, size_t position) {
    CheckFolder(command, position, state_->temp, state_->madeBy, state_->findings);
    if (state_->setting.discDir.empty()) return;
    if (command.type == 1) CheckProgram(command, state_->setting, state_->findings);
    if (command.type == 11) CheckSource(command, state_->setting, state_->findings);
}

}  // namespace check
