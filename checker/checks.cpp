// Collecting the findings of every check in the order of the file.
#include "checks.h"

#include <algorithm>
#include <cstring>

namespace check {

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::kError:
            return "error";
        case Severity::kWarning:
            return "warning";
        case Severity::kNote:
            return "note";
    }
    return "note";
}

Findings::Tally& Findings::TallyOf(const char* check) {
    for (Tally& tally : tallies_) {
        if (tally.check == check || strcmp(tally.check, check) == 0) return tally;
    }
    if (tallies_.empty()) tallies_.reserve(24);
    Tally tally;
    tally.check = check;
    tallies_.push_back(tally);
    return tallies_.back();
}

bool Findings::Keeps(const char* check) const {
    for (const Tally& tally : tallies_) {
        if (tally.check == check || strcmp(tally.check, check) == 0)
            return tally.kept < kListedPerCheck;
    }
    return true;
}

void Findings::Add(Position at, Severity severity, const char* check, std::string message) {
    Tally& tally = TallyOf(check);
    if (tally.kept >= kListedPerCheck) {
        if (tally.more++ == 0) tally.firstMore = at;
        if (severity < tally.worst) tally.worst = severity;
        return;
    }
    ++tally.kept;
    if (list_.empty()) list_.reserve(32);
    Diagnostic d;
    d.line = at.line > 0 ? at.line : 1;
    d.column = at.column > 0 ? at.column : 1;
    d.severity = severity;
    d.check = check;
    d.message = std::move(message);
    list_.push_back(std::move(d));
}

std::vector<Diagnostic> Findings::Sorted() {
    for (Tally& tally : tallies_) {
        if (tally.more == 0) continue;
        Diagnostic d;
        d.line = tally.firstMore.line > 0 ? tally.firstMore.line : 1;
        d.column = tally.firstMore.column > 0 ? tally.firstMore.column : 1;
        d.severity = tally.worst;
        d.check = tally.check;
        d.message = "and " + std::to_string(tally.more) +
                    " more findings of this check, not listed; the first of them is here";
        list_.push_back(std::move(d));
        tally.more = 0;
    }
    std::stable_sort(list_.begin(), list_.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return std::move(list_);
}

std::string Quoted(std::string_view text) {
    // Control characters would garble an editor's list of findings.
    std::string shown = "`";
    for (char c : text.substr(0, 80)) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return shown + (text.size() > 80 ? "...`" : "`");
}

std::vector<Diagnostic> CheckScript(const ScriptFile& script, const Plan& plan,
                                    const Setting& setting, bool discGiven) {
    Findings findings;
    CheckFile(script, plan, findings);
    // The commands in one pass, each made once from the script.
    bool mainChecked = false;
    DiscCheck disc(plan, setting, discGiven, findings);
    EffectsCheck effects(setting, findings);
    for (auto it = plan.begin(); it != plan.end(); ++it) {
        const PlannedCommand& command = *it;
        if (command.from == nullptr) continue;
        CheckCommand(command, setting, mainChecked, findings);
        disc.Run(command, it.position());
        CheckInstaller(command, setting, findings);
        effects.Run(command);
    }
    return findings.Sorted();
}

}  // namespace check
