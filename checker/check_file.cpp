// Checks of the file as a whole: encoding, lines, sections, keys, duplicates and the count.
#include <map>
#include <set>

#include "checks.h"
#include "near_name.h"

namespace check {

namespace {

const Severity kError = Severity::kError;
const Severity kWarning = Severity::kWarning;

std::string Hex(unsigned char byte) {
    const char* digits = "0123456789ABCDEF";
    return std::string("0x") + digits[byte >> 4] + digits[byte & 15];
}

void CheckEncoding(const ScriptFile& script, Findings& findings) {
    if (script.encoding == Encoding::kUtf8Bom) {
        std::string what =
            "the file starts with a UTF-8 byte-order mark: Windows reads it as "
            "three characters of the first line";
        const Key* first = script.sections[0].keys.empty() ? nullptr : &script.sections[0].keys[0];
        if (first != nullptr && first->at.line == 1 && first->name.find('[', 3) == 3) {
            what += ", so " + Quoted(first->name.substr(3)) +
                    " is no section header and its keys are never read (Wine skips the mark)";
        }
        findings.Add({1, 1}, kError, "encoding", what + "; save the file as ANSI, without a mark");
    }
    if (script.encoding == Encoding::kUtf16Le || script.encoding == Encoding::kUtf16Be) {
        findings.Add(
            {1, 1}, kError, "encoding",
            std::string("the file is UTF-16 ") +
                (script.encoding == Encoding::kUtf16Le ? "(little-endian)" : "(big-endian)") +
                ": Windows NT and later read it, Windows 95 reads only ANSI files and "
                "runs nothing; save it as ANSI");
    }
    for (const Oddity& odd : script.oddities) {
        bool bomLine = script.encoding == Encoding::kUtf8Bom && odd.at.line == 1;
        switch (odd.kind) {
            case Oddity::kNul:
                findings.Add(odd.at, kError, "encoding",
                             "a NUL byte: the platform ends the name or value here and the rest "
                             "of the line is lost (Windows 95 may stop reading the file); remove "
                             "it");
                break;
            case Oddity::kHighByte:
                findings.Add(odd.at, kWarning, "encoding",
                             "byte " + Hex(static_cast<unsigned char>(odd.text[0])) +
                                 " is read in the ANSI code page of the machine that runs the "
                                 "disc: under another code page it is another character");
                break;
            case Oddity::kUtf8Sequence:
                if (bomLine && odd.at.column == 1) break;
                findings.Add(odd.at, kWarning, "encoding",
                             Quoted(odd.text) + " is UTF-8: Windows reads its " +
                                 std::to_string(odd.text.size()) + " bytes as " +
                                 std::to_string(odd.text.size()) +
                                 " ANSI characters; save the file as ANSI");
                break;
            case Oddity::kNotAnsi:
                findings.Add(odd.at, kWarning, "encoding",
                             "a character the ANSI code page lacks: the program reads `?` in its "
                             "place");
                break;
            case Oddity::kUnclosedHeader:
                findings.Add(odd.at, kError, "malformed-line",
                             Quoted(odd.text) +
                                 " lacks its `]`: it is no section header, and the keys below it "
                                 "belong to the section before it");
                break;
            case Oddity::kNoEquals:
                if (bomLine) break;
                findings.Add(odd.at, kWarning, "malformed-line",
                             Quoted(odd.text) + " has no `=`: it is no key and is ignored");
                break;
        }
    }
    for (const Key& key : script.sections[0].keys) {
        if (key.hasEquals && !key.name.empty() && key.name[0] != ';' && key.name[0] != '#')
            findings.Add(key.at, kWarning, "malformed-line",
                         Quoted(key.name) + " stands before any section header: it is never read");
    }
}

// "COMMAND<n>" for a section named so without leading zeros; "tarnwick" for that one; else "".
std::string KnownSection(const std::string& name) {
    if (Upper(name) == Upper(kMainSection)) return kMainSection;
    int number = CommandNumber(name);
    if (number <= 0) return "";
    std::string canonical = kCommandSectionPrefix + std::to_string(number);
    return Upper(name) == canonical ? canonical : "";
}

std::string SuggestSection(const std::string& name) {
    size_t from = name.find_first_not_of(" \t");
    size_t to = name.find_last_not_of(" \t");
    std::string trimmed = from == std::string::npos ? "" : name.substr(from, to - from + 1);
    std::vector<std::string> candidates = {kMainSection};
    size_t digits = trimmed.find_last_not_of("0123456789") + 1;
    if (digits < trimmed.size() && trimmed.size() - digits < 10) {
        int number = std::stoi(trimmed.substr(digits));
        if (number > 0) {
            std::string prefix = Upper(trimmed.substr(0, digits));
            while (!prefix.empty() && (prefix.back() == ' ' || prefix.back() == '_' ||
                                       prefix.back() == '-' || prefix.back() == '0'))
                prefix.pop_back();
            std::string command = kCommandSectionPrefix + std::to_string(number);
            if (prefix == kCommandSectionPrefix) return command;
            candidates.push_back(command);
        }
    }
    return NearestName(trimmed, candidates);
}

std::vector<std::string> KeyNames() {
    std::vector<std::string> names;
    for (const ScriptKey& key : kScriptKeys) names.push_back(key.name);
    return names;
}

const PlannedCommand* PlannedFor(const std::vector<PlannedCommand>& plan, const Section* section) {
    int number = CommandNumber(section->name);
    if (number <= 0 || number > static_cast<int>(plan.size())) return nullptr;
    const PlannedCommand& command = plan[static_cast<size_t>(number - 1)];
    return command.from == section ? &command : nullptr;
}

std::string TypeName(int type) {
    const char* does = TypeAction(type);
    return "a type " + std::to_string(type) + " command" +
           (does != nullptr ? std::string(" (") + does + ")" : "");
}

// Keys of a section the program reads: unknown names, duplicates, keys in the wrong place.
void CheckKeys(const ScriptFile& script, const Section& section, bool isMain,
               const PlannedCommand* command, Findings& findings) {
    static const std::vector<std::string> names = KeyNames();
    std::map<std::string, const Key*> seen;
    for (const Key& key : section.keys) {
        if (key.name.empty() || key.name[0] == ';' || key.name[0] == '#' || !key.hasEquals)
            continue;
        std::string upper = Upper(key.name);
        auto first = seen.emplace(upper, &key);
        if (!first.second) {
            bool same = first.first->second->value == key.value;
            findings.Add(key.at, same ? kWarning : kError, "duplicate-key",
                         Quoted(key.name) + " again: the first, on line " +
                             std::to_string(first.first->second->at.line) + ", wins" +
                             (same ? " (with the same value); remove this one"
                                   : "; this one is never read"));
            continue;
        }
        const ScriptKey* known = KeyNamed(key.name);
        if (known == nullptr) {
            std::string near = NearestName(key.name, names);
            findings.Add(key.at, kError, "unknown-key",
                         Quoted(key.name) + " is no key of this program: it is never read" +
                             (near.empty() ? "" : "; did you mean " + Quoted(near) + "?"));
            continue;
        }
        if (known->inMainSection != isMain) {
            findings.Add(key.at, kError, "unread-key",
                         Quoted(known->name) + " is read only in " +
                             (known->inMainSection ? "[tarnwick]" : "[COMMANDn] sections") +
                             ": here it is never read");
            continue;
        }
        if (isMain) {
            if (known->readWhen != nullptr && !script.sections.empty()) {
                // Read only by commands that ask for it (APPTITLE: those with a status window).
                bool anyReads = false;
                for (size_t s = 1; s < script.sections.size() && !anyReads; ++s) {
                    const Key* when = FindKeyIn(&script.sections[s], known->readWhen);
                    anyReads = when != nullptr && ParseInt(when->value, 0) != 0;
                }
                if (!anyReads)
                    findings.Add(key.at, kWarning, "unread-key",
                                 Quoted(known->name) + " is read only by commands with " +
                                     known->readWhen + "=1, and no command has it");
            }
        } else if (command != nullptr && TypeAction(command->type) != nullptr &&
                   (known->readBy & (1u << command->type)) == 0) {
            findings.Add(key.at, kError, "unread-key",
                         TypeName(command->type) + " never reads " + Quoted(known->name));
        }
        if (known->isInteger) {
            bool numeric = false;
            int number = ParseInt(key.value, known->defaultValue, &numeric);
            std::string text = Deliver(key.value, 30);
            size_t end = text.find_last_not_of(' ');
            bool clean =
                !text.empty() && text.find_first_not_of("+-0123456789") == std::string::npos;
            if (!text.empty() && end != std::string::npos && !clean) {
                findings.Add(key.valueAt, numeric ? kWarning : kError, "integer-value",
                             Quoted(known->name) + "=" + Quoted(key.value) + " reads as " +
                                 std::to_string(number) + "; write the number alone");
            }
        }
    }
}

void CheckCount(const ScriptFile& script, const std::vector<PlannedCommand>& plan,
                Findings& findings) {
    const Section* main = FindSection(script, kMainSection);
    const Key* countKey = FindKey(script, kMainSection, kKeyNumberOfCommands);
    int count = ReadInt(script, kMainSection, kKeyNumberOfCommands, 0);
    int highest = 0;
    for (size_t s = 1; s < script.sections.size(); ++s) {
        const Section& section = script.sections[s];
        int number = KnownSection(section.name).empty() ? 0 : CommandNumber(section.name);
        if (number > highest) highest = number;
    }
    std::string lastName = kCommandSectionPrefix + std::to_string(highest);
    Position at = countKey != nullptr ? countKey->valueAt
                  : main != nullptr   ? main->at
                                      : Position{1, 1};
    if (main == nullptr) {
        findings.Add({1, 1}, kError, "count",
                     "no [tarnwick] section: NUMBEROFCOMMANDS reads 0 and nothing runs");
    } else if (countKey == nullptr || !countKey->hasEquals) {
        findings.Add(main->at, kError, "count",
                     "[tarnwick] has no NUMBEROFCOMMANDS: it reads 0 and nothing runs" +
                         (highest > 0 ? "; add NUMBEROFCOMMANDS=" + std::to_string(highest) : ""));
    } else if (count <= 0 && highest > 0) {
        findings.Add(at, kError, "count",
                     "NUMBEROFCOMMANDS reads " + std::to_string(count) +
                         ": nothing runs; the script has commands up to [" + lastName +
                         "]: write NUMBEROFCOMMANDS=" + std::to_string(highest));
    } else if (count < highest) {
        findings.Add(at, kError, "count",
                     "NUMBEROFCOMMANDS=" + std::to_string(count) +
                         " leaves sections unrun: the script has commands up to [" + lastName +
                         "]; write NUMBEROFCOMMANDS=" + std::to_string(highest));
        for (size_t s = 1; s < script.sections.size(); ++s) {
            const Section& section = script.sections[s];
            int number = KnownSection(section.name).empty() ? 0 : CommandNumber(section.name);
            if (number > count)
                findings.Add(section.at, kError, "count",
                             "[" + section.name + "] never runs: NUMBEROFCOMMANDS is " +
                                 std::to_string(count));
        }
    } else if (count > 0 && highest == 0) {
        findings.Add(at, kError, "count", "no [COMMAND1] or later section: nothing runs");
    } else if (count > highest && count > 0) {
        bool bounded = static_cast<int>(plan.size()) < count;
        findings.Add(at, bounded ? kWarning : kError, "count",
                     "NUMBEROFCOMMANDS=" + std::to_string(count) + " but the last command is [" +
                         lastName + "]" +
                         (bounded ? ": the program stops there"
                                  : ": the commands after it run as empty commands") +
                         "; write NUMBEROFCOMMANDS=" + std::to_string(highest));
    }
    // Gaps: a command without a section runs as an empty type 1 command, which does nothing.
    int gaps = 0;
    for (const PlannedCommand& command : plan) {
        if (command.from != nullptr || command.index > highest) continue;
        if (++gaps <= 10) {
            findings.Add(at, kError, "missing-section",
                         "[" + command.section + "] is missing: command " +
                             std::to_string(command.index) +
                             " runs as an empty type 1 command and does nothing");
        }
    }
    if (gaps > 10)
        findings.Add(at, kError, "missing-section",
                     "and " + std::to_string(gaps - 10) + " more commands without a section");
}

void CheckSections(const ScriptFile& script, const std::vector<PlannedCommand>& plan,
                   Findings& findings) {
    for (size_t s = 1; s < script.sections.size(); ++s) {
        const Section& section = script.sections[s];
        std::string known = KnownSection(section.name);
        if (known.empty()) {
            std::string near = SuggestSection(section.name);
            findings.Add(section.at, near.empty() ? kWarning : kError, "unknown-section",
                         "[" + section.name + "] is no section of this program: it is never read" +
                             (near.empty() ? "" : "; did you mean [" + near + "]?"));
            continue;
        }
        const std::vector<size_t>& group = script.sectionsByName.at(Upper(section.name));
        if (group[0] != s) {
            findings.Add(section.at, kError, "duplicate-section",
                         "[" + section.name + "] again: only the first, on line " +
                             std::to_string(script.sections[group[0]].at.line) +
                             ", is read; the keys here are never read");
            continue;
        }
        bool isMain = known == kMainSection;
        const PlannedCommand* command = isMain ? nullptr : PlannedFor(plan, &section);
        // A command that never runs (the count says so) still has its keys looked at.
        CheckKeys(script, section, isMain, command, findings);
        if (command != nullptr && TypeAction(command->type) == nullptr) {
            const Key* type = FindKey(script, section.name, kKeyCommandType);
            findings.Add(type != nullptr ? type->valueAt : section.at, kError, "inert-type",
                         "COMMANDTYPE " + std::to_string(command->type) +
                             " does nothing: the types are 1 to 7 and 11");
        }
    }
}

}  // namespace

void CheckFile(const ScriptFile& script, const std::vector<PlannedCommand>& plan,
               Findings& findings) {
    CheckEncoding(script, findings);
    CheckSections(script, plan, findings);
    CheckCount(script, plan, findings);
}

}  // namespace check
