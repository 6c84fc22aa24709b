// Collecting the findings of every check in the order of the file.
#include "checks.h"

#include <algorithm>

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

void Findings::Add(Position at, Severity severity, const char* check, std::string message) {
    Diagnostic d;
    d.line = at.line > 0 ? at.line : 1;
    d.column = at.column > 0 ? at.column : 1;
    d.severity = severity;
    d.check = check;
    d.message = std::move(message);
    list_.push_back(std::move(d));
}

std::vector<Diagnostic> Findings::Sorted() const {
    std::vector<Diagnostic> sorted = list_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return sorted;
}

std::string Quoted(const std::string& text) {
    // Control characters would garble an editor's list of findings.
    std::string shown;
    for (char c : text.substr(0, 80)) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return "`" + shown + (text.size() > 80 ? "...`" : "`");
}

std::vector<Diagnostic> CheckScript(const ScriptFile& script,
                                    const std::vector<PlannedCommand>& plan, const Setting& setting,
                                    bool discGiven) {
    Findings findings;
    CheckFile(script, plan, findings);
    CheckCommands(script, plan, setting, findings);
    CheckDisc(plan, setting, discGiven, findings);
    CheckInstallers(plan, setting, findings);
    CheckEffects(plan, setting, findings);
    return findings.Sorted();
}

}  // namespace check
