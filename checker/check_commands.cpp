// Checks of the values each command reads: cuts, macros, registry paths, empty values, the
// hand-off and the command line.
#include "base/sizes.h"
#include "checks.h"

namespace check {

namespace {

const Severity kError = Severity::kError;
const Severity kWarning = Severity::kWarning;

const char* const kMacros[] = {"%TEMP%", "%CURRENTDRIVE%"};

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

Position At(const Key* key, size_t offset) {
    Position at = key->valueAt();
    return Position{at.line, at.column + static_cast<int>(offset)};
}

// `text` with the first occurrence of each macro replaced, however long the result.
std::string ExpandedInFull(std::string text, const Setting& setting) {
    const std::string by[] = {setting.tempDir, setting.drive};
    for (int m = 0; m < 2; ++m) {
        size_t at = text.find(kMacros[m]);
        if (at != std::string::npos) text.replace(at, std::string(kMacros[m]).size(), by[m]);
    }
    return text;
}

void CheckCut(const PlanValue& v, const Setting& setting, Findings& findings) {
    std::string_view raw = v.source->value();
    bool quoted = raw.size() > 1 && (raw[0] == '"' || raw[0] == '\'') && raw.back() == raw[0];
    size_t length = quoted ? raw.size() - 2 : raw.size();
    size_t kept = static_cast<size_t>(v.key->size - 1);
    std::string_view name = v.key->name;
    if (length > kept || (quoted && length == kept)) {
        // A quoted value that fills the array exactly also loses its last character.
        size_t cut = length > kept ? kept : kept - 1;
        size_t offset = (quoted ? 1 : 0) + cut;
        findings.Add(
            At(v.source, offset), kError, "value-cut",
            std::string(name) + " has " + std::to_string(length) +
                " characters; the program reads " + std::to_string(cut) + " and cuts it here: " +
                Quoted(raw.substr(offset, raw.size() - offset - (quoted ? 1 : 0))) + " is lost");
        return;
    }
    // Without a macro, a value that fits its array fits the expanded one.
    if (!v.key->macrosExpanded || raw.find('%') == std::string_view::npos) return;
    std::string full = ExpandedInFull(Deliver(raw, v.key->size), setting);
    if (full.size() > static_cast<size_t>(kExpandedSize - 1)) {
        findings.Add(v.source->valueAt(), kError, "value-cut",
                     std::string(name) + " expands to " + std::to_string(full.size()) +
                         " characters; the program keeps " + std::to_string(kExpandedSize - 1) +
                         ": " + Quoted(full.substr(kExpandedSize - 1)) + " is lost");
    }
}

void CheckMacros(const PlanValue& v, Findings& findings) {
    std::string_view raw = v.source->value();
    bool seen[2] = {false, false};
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '%') continue;
        size_t end = i + 1;
        while (end < raw.size() && IsNameChar(raw[end])) ++end;
        if (end == i + 1 || end >= raw.size() || raw[end] != '%') continue;
        std::string_view word = raw.substr(i, end - i + 1);
        std::string_view name = v.key->name;
        int macro = EqualNoCase(word, kMacros[0]) ? 0 : EqualNoCase(word, kMacros[1]) ? 1 : -1;
        if (macro < 0) {
            findings.Add(At(v.source, i), kWarning, "macro",
                         Quoted(word) +
                             " is no macro of this program (only %TEMP% and "
                             "%CURRENTDRIVE%): it stays as written");
        } else if (!v.key->macrosExpanded) {
            findings.Add(At(v.source, i), kError, "macro",
                         std::string(kMacros[macro]) + " is not expanded in " + std::string(name) +
                             ": the program uses it as written; only REGVALUE, DIRNAME, "
                             "SOURCEFILENAME and DESTFILENAME expand macros");
        } else if (word != std::string_view(kMacros[macro])) {
            findings.Add(
                At(v.source, i), kError, "macro",
                Quoted(word) + " is no macro: macros are upper case; write " + kMacros[macro]);
        } else if (seen[macro]) {
            findings.Add(At(v.source, i), kError, "macro",
                         std::string("only the first ") + kMacros[macro] +
                             " of a value is replaced: this one stays as written");
        }
        if (macro >= 0 && word == std::string_view(kMacros[macro])) seen[macro] = true;
        i = end;
    }
}

void CheckRegistryKey(const PlanValue& v, Findings& findings) {
    const std::string& key = v.value;
    static const char* const kRoots[] = {"HKEY_LOCAL_MACHINE",
                                         "HKEY_CURRENT_USER",
                                         "HKEY_CLASSES_ROOT",
                                         "HKEY_USERS",
                                         "HKEY_CURRENT_CONFIG",
                                         "HKLM",
                                         "HKCU",
                                         "HKCR",
                                         "HKU",
                                         "HKCC"};
    size_t skip = key[0] == '\\' ? 1 : 0;
    for (const char* root : kRoots) {
        std::string_view r = root;
        if (!EqualNoCase(std::string_view(key).substr(skip, r.size()), r)) continue;
        if (key.size() != skip + r.size() && key[skip + r.size()] != '\\') continue;
        std::string rest = key.substr(std::min(key.size(), skip + r.size() + 1));
        bool machine = r == "HKEY_LOCAL_MACHINE" || r == "HKLM";
        findings.Add(v.source->valueAt(), kError, "registry-path",
                     "REGKEY names a root: the key is made below HKEY_LOCAL_MACHINE as " +
                         Quoted("HKEY_LOCAL_MACHINE\\" + key) +
                         (machine ? "" : "; this program writes only below HKEY_LOCAL_MACHINE") +
                         (rest.empty() ? "" : "; write REGKEY=" + rest));
        return;
    }
    if (skip == 1) {
        findings.Add(v.source->valueAt(), kError, "registry-path",
                     "REGKEY starts with `\\`: Windows NT and later refuse such a path and the "
                     "command does nothing; write REGKEY=" +
                         key.substr(key.find_first_not_of('\\') == std::string::npos
                                        ? key.size()
                                        : key.find_first_not_of('\\')));
        return;
    }
    if (key.find("\\\\") != std::string::npos || key.back() == '\\') {
        findings.Add(v.source->valueAt(), kWarning, "registry-path",
                     "REGKEY has an empty level (`\\\\` or a trailing `\\`): Windows versions "
                     "differ on such paths; write each level once");
    }
}

void CheckEmpty(const PlannedCommand& command, Findings& findings) {
    Position at = command.from->at;
    auto empty = [&](const char* key, const std::string& what) {
        const PlanValue* v = command.Find(key);
        if (v == nullptr || !v->value.empty()) return;
        findings.Add(v->source != nullptr ? v->source->valueAt() : at, kError, "empty-value",
                     std::string(v->source != nullptr ? "empty " : "no ") + key + ": " + what);
    };
    switch (command.type) {
        case 1:
            empty(kKeyCommandLine, "the command starts nothing");
            break;
        case 2:
        case 3:
        case 4:
        case 5:
            empty(kKeyRegKey,
                  "it would name HKEY_LOCAL_MACHINE itself, and the program then does nothing");
            break;
        case 6:
        case 7:
            empty(kKeyDirName, "the command does nothing");
            break;
        case 11:
            empty(kKeySourceFileName, "the copy fails");
            empty(kKeyDestFileName, "the copy fails");
            break;
    }
}

void CheckHandOff(const PlannedCommand& command, Findings& findings) {
    const PlanValue* handOff = command.Find(kKeyCommandIShield);
    if (handOff == nullptr) return;
    const Key* title = FindKeyIn(command.from, kKeyCommandWinTitle);
    bool hasTitle =
        title != nullptr && title->hasEquals && !Delivered(title->value(), kPathSize).empty();
    if (handOff->number != 0 && !hasTitle) {
        findings.Add(handOff->source != nullptr ? handOff->source->at() : command.from->at,
                     kWarning, "hand-off",
                     "COMMANDISHIELD without COMMANDWINTITLE: only a 2-second pause follows the "
                     "program; name the hand-off installer's window in COMMANDWINTITLE");
    } else if (handOff->number == 0 && hasTitle) {
        findings.Add(title->at(), kError, "hand-off",
                     "COMMANDWINTITLE is read only with COMMANDISHIELD=1: add it, or the window "
                     "is never waited for");
    }
}

// The words of a command line, quotes removed, each with its offset.
std::vector<std::pair<std::string, size_t>> Words(const std::string& line) {
    std::vector<std::pair<std::string, size_t>> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        size_t start = i;
        std::string word;
        bool inQuotes = false;
        for (; i < line.size() && (inQuotes || (line[i] != ' ' && line[i] != '\t')); ++i) {
            if (line[i] == '"') {
                inQuotes = !inQuotes;
            } else {
                word += line[i];
            }
        }
        words.emplace_back(word, start);
    }
    return words;
}

bool HasExtension(const std::string& word) {
    size_t dot = word.rfind('.');
    if (dot == std::string::npos || dot == 0 || word.size() - dot < 2 || word.size() - dot > 5)
        return false;
    bool letter = false;
    for (size_t i = dot + 1; i < word.size(); ++i) {
        if (!IsNameChar(word[i])) return false;
        letter = letter || (word[i] < '0' || word[i] > '9');
    }
    return letter;
}

void CheckCommandLine(const PlanValue& v, Findings& findings) {
    const std::string& line = v.value;
    if (line.empty()) return;
    // A program path with blanks and no quotes: Windows tries each blank as the path's end.
    if (line[0] != '"') {
        std::string upper = Upper(line);
        size_t blank = line.find(' ');
        size_t exe = upper.find(".EXE");
        // The first word is a path cut at a blank (C:\Program), and no option stands between
        // it and the ".exe" (as in msiexec /i C:\x\product.exe).
        bool cutPath = blank != std::string::npos && exe != std::string::npos && exe > blank &&
                       line.find('\\') < blank && !HasExtension(line.substr(0, blank));
        if (cutPath) {
            std::string between = line.substr(blank, exe - blank);
            cutPath =
                between.find(" /") == std::string::npos && between.find(" -") == std::string::npos;
        }
        if (cutPath) {
            std::string program = line.substr(0, exe + 4);
            findings.Add(v.source->valueAt(), kWarning, "unquoted-path",
                         "the program's path has blanks and no quotes: Windows tries " +
                             Quoted(line.substr(0, blank) + ".exe") +
                             " first (with the rest as its arguments); write " +
                             Quoted("\"" + program + "\"" + line.substr(exe + 4)));
            return;
        }
    }
    std::vector<std::pair<std::string, size_t>> words = Words(line);
    for (size_t w = 1; w < words.size(); ++w) {
        const std::string& word = words[w].first;
        if (word.empty() || word[0] == '/' || word[0] == '-' || word[0] == '\\') continue;
        if (word.find(':') != std::string::npos || word.find('=') != std::string::npos) continue;
        if (!HasExtension(word) || IsLogOption(words[w - 1].first)) continue;
        findings.Add(At(v.source, words[w].second), kWarning, "relative-argument",
                     Quoted(word) +
                         " is a relative file name: the started program resolves it against the "
                         "current folder it inherits (usually the disc's root), not its own "
                         "folder; give the full path");
    }
}

}  // namespace

void CheckCommand(const PlannedCommand& command, const Setting& setting, bool& mainChecked,
                  Findings& findings) {
    for (const PlanValue& v : command.values) {
        if (v.source == nullptr || v.key->isInteger) continue;
        if (v.key->inMainSection) {
            if (mainChecked) continue;
            mainChecked = true;
        }
        CheckCut(v, setting, findings);
        CheckMacros(v, findings);
        if (IsKey(*v.key, kKeyRegKey) && !v.value.empty()) CheckRegistryKey(v, findings);
        if (IsKey(*v.key, kKeyCommandLine)) CheckCommandLine(v, findings);
    }
    CheckEmpty(command, findings);
    CheckHandOff(command, findings);
}

}  // namespace check
