// Checks of the file as a whole: encoding, lines, sections, keys, duplicates and the count.
#include <algorithm>
#include <string_view>

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
        if (first != nullptr && first->line == 1 && first->name.find('[', 3) == 3) {
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
        const char* check = odd.kind == Oddity::kUnclosedHeader || odd.kind == Oddity::kNoEquals
                                ? "malformed-line"
                                : "encoding";
        if (!findings.Keeps(check) &&
            !(bomLine && (odd.kind == Oddity::kNoEquals || odd.kind == Oddity::kUtf8Sequence))) {
            // Past the findings listed: counted only, with the severity its kind has.
            bool error = odd.kind == Oddity::kNul || odd.kind == Oddity::kUnclosedHeader;
            findings.Add(odd.at, error ? kError : kWarning, check, std::string());
            continue;
        }
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
            findings.Add(key.at(), kWarning, "malformed-line",
                         Quoted(key.name) + " stands before any section header: it is never read");
    }
}

// "COMMAND<n>" for the section that command n reads; "tarnwick" for that one; else "".
std::string KnownSection(std::string_view name) {
    if (EqualNoCase(name, kMainSection)) return kMainSection;
    int number = CommandNumber(name);
    return number > 0 ? kCommandSectionPrefix + std::to_string(number) : "";
}

// For a name that is "COMMAND" and a number but is read by no command (leading zeros, a sign,
// blanks or a mark inside, a number past the largest int): why, and what to write instead.
std::string StrayCommand(std::string_view name) {
    std::string upper = Upper(name);
    const std::string prefix = kCommandSectionPrefix;
    if (upper.compare(0, prefix.size(), prefix) != 0) return "";
    std::string digits;
    for (size_t i = prefix.size(); i < upper.size(); ++i) {
        char c = upper[i];
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (!digits.empty() || (c != ' ' && c != '\t' && c != '_' && c != '-' && c != '+' &&
                                       c != '#' && c != '.')) {
            return "";
        }
    }
    size_t nonZero = digits.find_first_not_of('0');
    if (digits.empty()) return "";
    if (nonZero == std::string::npos) return ": commands are numbered from 1";
    std::string number = digits.substr(nonZero);
    if (number.size() > 10 || (number.size() == 10 && number > "2147483647"))
        return ": command numbers end at 2147483647, so no command reads it";
    return ": command " + number + " reads [" + prefix + number +
           "], written without leading zeros, blanks or signs; write [" + prefix + number + "]";
}

std::string SuggestSection(std::string_view name) {
    std::vector<std::string> candidates = {kMainSection};
    std::string trimmed(name);
    size_t digits = trimmed.find_last_not_of("0123456789") + 1;
    if (digits < trimmed.size() && trimmed.size() - digits < 10) {
        int number = std::stoi(trimmed.substr(digits));
        if (number > 0) candidates.push_back(kCommandSectionPrefix + std::to_string(number));
    }
    return NearestName(trimmed, candidates);
}

std::vector<std::string> KeyNames() {
    std::vector<std::string> names;
    for (const ScriptKey& key : kScriptKeys) names.push_back(key.name);
    return names;
}

std::string TypeName(int type) {
    const char* does = TypeAction(type);
    return "a type " + std::to_string(type) + " command" +
           (does != nullptr ? std::string(" (") + does + ")" : "");
}

// Keys of a section the program reads: unknown names, duplicates, keys in the wrong place.
// `type` is the type of the command that reads the section, 0 when none runs it.
void CheckKeys(const ScriptFile& script, const Section& section, bool isMain, int type,
               NameTable& seen, Findings& findings) {
    static const std::vector<std::string> names = KeyNames();
    seen.Reset(8);
    auto nameOf = [&section](uint32_t k) { return section.keys[k].name; };
    for (size_t k = 0; k < section.keys.size(); ++k) {
        const Key& key = section.keys[k];
        if (key.name.empty() || key.name[0] == '#' || !key.hasEquals) continue;
        uint32_t index = static_cast<uint32_t>(k);
        uint32_t firstIndex = seen.FirstOf(key.name, index, nameOf);
        if (firstIndex != index) {
            const Key& first = section.keys[firstIndex];
            bool same = first.value() == key.value();
            findings.Add(key.at(), same ? kWarning : kError, "duplicate-key",
                         !findings.Keeps("duplicate-key")
                             ? std::string()
                             : Quoted(key.name) + " again: the first, on line " +
                                   std::to_string(first.line) + ", wins" +
                                   (same ? " (with the same value); remove this one"
                                         : "; this one is never read"));
            continue;
        }
        const ScriptKey* known = KeyNamed(key.name);
        if (known == nullptr) {
            if (!findings.Keeps("unknown-key")) {
                findings.Add(key.at(), kError, "unknown-key", "");
                continue;
            }
            std::string near = NearestName(std::string(key.name.substr(0, 64)), names);
            findings.Add(key.at(), kError, "unknown-key",
                         Quoted(key.name) + " is no key of this program: it is never read" +
                             (near.empty() ? "" : "; did you mean " + Quoted(near) + "?"));
            continue;
        }
        if (known->inMainSection != isMain) {
            findings.Add(key.at(), kError, "unread-key",
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
                    anyReads = when != nullptr && ParseInt(when->value(), 0) != 0;
                }
                if (!anyReads)
                    findings.Add(key.at(), kWarning, "unread-key",
                                 Quoted(known->name) + " is read only by commands with " +
                                     known->readWhen + "=1, and no command has it");
            }
        } else if (type != 0 && TypeAction(type) != nullptr &&
                   (known->readBy & (1u << type)) == 0) {
            findings.Add(key.at(), kError, "unread-key",
                         TypeName(type) + " never reads " + Quoted(known->name));
        }
        if (known->isInteger) {
            bool numeric = false;
            int number = ParseInt(key.value(), known->defaultValue, &numeric);
            std::string_view text = Delivered(key.value(), 30);
            size_t end = text.find_last_not_of(' ');
            bool clean =
                !text.empty() && text.find_first_not_of("+-0123456789") == std::string::npos;
            if (!text.empty() && end != std::string::npos && !clean) {
                findings.Add(key.valueAt(), numeric ? kWarning : kError, "integer-value",
                             Quoted(known->name) + "=" + Quoted(key.value()) + " reads as " +
                                 std::to_string(number) + "; write the number alone");
            }
        }
    }
}

void CheckCount(const ScriptFile& script, Findings& findings) {
    const Section* main = FindSection(script, kMainSection);
    const Key* countKey = FindKeyIn(main, kKeyNumberOfCommands);
    int count = ReadInt(script, kMainSection, kKeyNumberOfCommands, 0);
    int highest = script.commands.empty() ? 0 : script.commands.back().first;
    std::string lastName = kCommandSectionPrefix + std::to_string(highest);
    Position at = countKey != nullptr ? countKey->valueAt()
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
            if (CommandNumber(section.name) > count)
                findings.Add(section.at, kError, "count",
                             !findings.Keeps("count") ? std::string()
                                                      : "[" + std::string(section.name) +
                                                            "] never runs: NUMBEROFCOMMANDS is " +
                                                            std::to_string(count));
        }
    } else if (count > 0 && highest == 0) {
        findings.Add(at, kError, "count", "no [COMMAND1] or later section: nothing runs");
    } else if (count > highest && count > 0) {
        bool bounded = CommandsRun(script) < count;
        findings.Add(at, bounded ? kWarning : kError, "count",
                     "NUMBEROFCOMMANDS=" + std::to_string(count) + " but the last command is [" +
                         lastName + "]" +
                         (bounded ? ": the program stops there"
                                  : ": the commands after it run as empty commands") +
                         "; write NUMBEROFCOMMANDS=" + std::to_string(highest));
    }
    // Gaps: a command without a section runs as an empty type 1 command, which does nothing.
    // Every number up to the last section that runs and has none is one.
    long long last = std::min(count, highest);
    const long long kListed = 10;
    long long listed = 0;
    long long next = 1;
    auto list = [&](long long upTo) {
        for (; next < upTo && listed < kListed; ++next, ++listed) {
            findings.Add(at, kError, "missing-section",
                         std::string("[") + kCommandSectionPrefix + std::to_string(next) +
                             "] is missing: command " + std::to_string(next) +
                             " runs as an empty type 1 command and does nothing");
        }
    };
    long long runs = 0;
    for (const auto& command : script.commands) {
        if (command.first > last) break;
        list(command.first);
        next = command.first + 1LL;
        ++runs;
    }
    list(last + 1);
    long long missing = std::max(last, 0LL) - runs;
    if (missing > kListed)
        findings.Add(at, kError, "missing-section",
                     "and " + std::to_string(missing - kListed) +
                         " more commands without a section, each an empty command");
}

void CheckSections(const ScriptFile& script, Findings& findings) {
    int runs = CommandsRun(script);
    NameTable seen;
    for (size_t s = 1; s < script.sections.size(); ++s) {
        const Section& section = script.sections[s];
        std::string known = KnownSection(section.name);
        if (known.empty()) {
            std::string what = "[" + std::string(section.name) + "] is no section of this program";
            std::string stray = StrayCommand(section.name);
            if (!stray.empty()) {
                findings.Add(section.at, kError, "unknown-section", what + stray);
                continue;
            }
            std::string near = SuggestSection(section.name);
            findings.Add(section.at, near.empty() ? kWarning : kError, "unknown-section",
                         what + ": it is never read" +
                             (near.empty() ? "" : "; did you mean [" + near + "]?"));
            continue;
        }
        const Section* first = FindSection(script, section.name);
        if (first != &section) {
            findings.Add(section.at, kError, "duplicate-section",
                         !findings.Keeps("duplicate-section")
                             ? std::string()
                             : "[" + std::string(section.name) +
                                   "] again: only the first, on line " +
                                   std::to_string(first->at.line) +
                                   ", is read; the keys here are never read");
            continue;
        }
        bool isMain = known == kMainSection;
        int number = isMain ? 0 : CommandNumber(section.name);
        // The type of the command that reads this section, however far it lies from the
        // others; a command that never runs (the count says so) still has its keys looked at.
        const Key* typeKey = FindKeyIn(&section, kKeyCommandType);
        int type = number == 0 || number > runs               ? 0
                   : typeKey != nullptr && typeKey->hasEquals ? ParseInt(typeKey->value(), 1)
                                                              : 1;
        CheckKeys(script, section, isMain, type, seen, findings);
        if (number != 0 && number <= runs && TypeAction(type) == nullptr) {
            findings.Add(typeKey != nullptr ? typeKey->valueAt() : section.at, kError, "inert-type",
                         "COMMANDTYPE " + std::to_string(type) +
                             " does nothing: the types are 1 to 7 and 11");
        }
    }
}

}  // namespace

void CheckFile(const ScriptFile& script, const Plan& /*plan*/, Findings& findings) {
    CheckEncoding(script, findings);
    CheckSections(script, findings);
    CheckCount(script, findings);
}

}  // namespace check
