// The checks of a script: what will not do what the script plainly says, and what looks wrong.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostic.h"
#include "plan.h"
#include "script_file.h"

namespace check {

// Collects the findings of the checks. Of one check, the first kListedPerCheck are kept; the
// rest are counted and summarised in one finding ("and N more").
class Findings {
  public:
    static constexpr int kListedPerCheck = 300;

    void Add(Position at, Severity severity, const char* check, std::string message);
    // Whether another finding of this check would be kept: a check that may find many can skip
    // making the message of one that would not (and Add it with an empty one, to be counted).
    bool Keeps(const char* check) const;
    // In the order of the file, findings about the whole file first; hands them over.
    std::vector<Diagnostic> Sorted();

  private:
    struct Tally {
        const char* check = nullptr;
        int kept = 0;
        long long more = 0;
        Severity worst = Severity::kNote;
        Position firstMore;
    };
    Tally& TallyOf(const char* check);

    std::vector<Diagnostic> list_;
    std::vector<Tally> tallies_;
};

// The file: its encoding, its lines, sections and keys, and the count of commands.
void CheckFile(const ScriptFile& script, const Plan& plan, Findings& findings);
// The values one command reads: cuts, macros, registry paths, the hand-off, the command line.
// Those of [tarnwick] are checked with the first command that reads them (`mainChecked`).
void CheckCommand(const PlannedCommand& command, const Setting& setting, bool& mainChecked,
                  Findings& findings);
// One command's installer command line: msiexec's quiet and restart switches, log paths,
// NSIS's /D=, .msi files started as programs; a time limit shorter than the hand-off pause.
void CheckInstaller(const PlannedCommand& command, const Setting& setting, Findings& findings);
// Whether a word of a command line is an option followed by a log's path (msiexec's /l*v).
bool IsLogOption(std::string_view word);

// The disc: programs and files the script takes from it, folders it copies into. Told of each
// command in the order they run.
class DiscCheck {
  public:
    DiscCheck(const Plan& plan, const Setting& setting, bool discGiven, Findings& findings);
    ~DiscCheck();
    void Run(const PlannedCommand& command, size_t position);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// What the commands do to each other: folders removed, filled or copied onto, keys deleted with
// their subkeys, quotes that stay in a name. Told of each command in the order they run.
class EffectsCheck {
  public:
    EffectsCheck(const Setting& setting, Findings& findings);
    ~EffectsCheck();
    void Run(const PlannedCommand& command);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Every check, for a script read from `setting.discDir` (a folder given: `discGiven`).
std::vector<Diagnostic> CheckScript(const ScriptFile& script, const Plan& plan,
                                    const Setting& setting, bool discGiven);

// A key's name as the script shows it in a message: `NAME`.
std::string Quoted(std::string_view text);

}  // namespace check
