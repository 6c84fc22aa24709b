// What a script will do, command by command, with the values the program will use.
#include "plan.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "base/sizes.h"
#include "script/substitute_macros.h"

namespace check {

Setting MakeSetting(const std::string& tempDir, const std::string& options) {
    Setting setting;
    if (!tempDir.empty()) setting.tempDir = tempDir;
    while (setting.tempDir.size() > 1 && setting.tempDir.back() == '\\') setting.tempDir.pop_back();
    // The program upper-cases its command line and looks for the options as plain substrings;
    // /cd: wins over /t.
    std::string upper = Upper(options);
    size_t cd = upper.find("/CD:");
    if (cd != std::string::npos) {
        setting.drive = upper.substr(cd + 4, 2);
    } else if (upper.find("/T") != std::string::npos) {
        setting.drive = setting.tempDir;
    }
    return setting;
}

const PlanValue* PlannedCommand::Find(const char* key) const {
    for (const PlanValue& value : values) {
        if (value.key->name == key || strcmp(value.key->name, key) == 0) return &value;
    }
    return nullptr;
}

namespace {

const size_t kKeySlots = 64;

// Where a key name starts its search in the table of names: from its length and two letters.
size_t KeySlot(std::string_view name) {
    return (name.size() * 31 + static_cast<unsigned char>(UpperAscii(name.back())) * 7 +
            static_cast<unsigned char>(UpperAscii(name[name.size() / 2]))) &
           (kKeySlots - 1);
}

// The row of kScriptKeys for a name in any case, or -1.
int KeyIndex(std::string_view name) {
    const size_t kCount = sizeof(kScriptKeys) / sizeof(kScriptKeys[0]);
    static_assert(kCount * 2 <= kKeySlots, "the table of key names keeps half its slots free");
    static const struct Slots {
        int8_t row[kKeySlots];
        std::string_view name[kKeySlots];
        Slots() : row(), name() {
            for (int8_t& r : row) r = -1;
            for (size_t i = 0; i < kCount; ++i) {
                size_t at = KeySlot(kScriptKeys[i].name);
                while (row[at] >= 0) at = (at + 1) & (kKeySlots - 1);
                row[at] = static_cast<int8_t>(i);
                name[at] = kScriptKeys[i].name;
            }
        }
    } slots;
    if (name.empty()) return -1;
    for (size_t at = KeySlot(name); slots.row[at] >= 0; at = (at + 1) & (kKeySlots - 1)) {
        if (EqualNoCase(name, slots.name[at])) return slots.row[at];
    }
    return -1;
}

// The value as the program uses it, into `out` (whose storage is reused).
void ResolveInto(const ScriptKey& key, std::string_view raw, const Setting& setting,
                 std::string& out) {
    std::string_view value = Delivered(raw, key.size);
    char input[kExpandedSize];
    if (!key.macrosExpanded || value.find('%') == std::string_view::npos ||
        value.size() >= sizeof(input)) {
        out.assign(value.data(), value.size());
        return;
    }
    memcpy(input, value.data(), value.size());
    input[value.size()] = '\0';
    char expanded[kExpandedSize];
    SubstituteMacros(input, setting.tempDir.c_str(), setting.drive.c_str(), expanded,
                     kExpandedSize);
    out.assign(expanded);
}

}  // namespace

std::string Resolve(const ScriptKey& key, std::string_view raw, const Setting& setting) {
    std::string value;
    ResolveInto(key, raw, setting, value);
    return value;
}

const char* TypeAction(int type) {
    for (const CommandTypeInfo& info : kCommandTypeInfo) {
        if (info.type == type) return info.does;
    }
    return nullptr;
}

const ScriptKey* KeyNamed(std::string_view name) {
    int index = KeyIndex(name);
    return index < 0 ? nullptr : &kScriptKeys[index];
}

Plan::Plan(const ScriptFile& script, const Setting& setting) : script_(&script), setting_(setting) {
    if (const Section* main = FindSection(script, kMainSection)) {
        for (const Key& key : main->keys) {
            int index = KeyIndex(key.name);
            if (index >= 0 && mainKeys_[index] == nullptr) mainKeys_[index] = &key;
        }
    }
    // The numbers that have a section; of the commands between them, only the first
    // kMissingListed are listed: a count of two thousand million would otherwise list them all.
    long long count = CommandsRun(script);
    long long missing = 0;
    long long next = 1;
    auto listMissing = [&](long long upTo) {
        for (; next < upTo && missing < kMissingListed; ++next, ++missing)
            entries_.push_back(Entry{static_cast<int>(next), NameTable::kNone});
    };
    for (const auto& command : script.commands) {
        if (command.first > count) break;
        listMissing(command.first);
        entries_.push_back(Entry{command.first, command.second});
        next = command.first + 1LL;
    }
    listMissing(count + 1);
}

PlannedCommand Plan::operator[](size_t i) const {
    PlannedCommand command;
    Fill(i, command);
    return command;
}

int Plan::TypeAt(size_t i) const {
    const Entry& entry = entries_[i];
    if (entry.section == NameTable::kNone) return 1;
    static const int kTypeRow = KeyIndex(kKeyCommandType);
    for (const Key& key : script_->sections[entry.section].keys) {
        if (KeyIndex(key.name) == kTypeRow) return key.hasEquals ? ParseInt(key.value(), 1) : 1;
    }
    return 1;
}

void Plan::Fill(size_t i, PlannedCommand& command) const {
    const Entry& entry = entries_[i];
    command.index = entry.index;
    command.section.assign(kCommandSectionPrefix);
    char digits[12];
    int n = 0;
    for (unsigned rest = static_cast<unsigned>(entry.index); rest != 0 || n == 0; rest /= 10)
        digits[n++] = static_cast<char>('0' + rest % 10);
    while (n > 0) command.section += digits[--n];
    command.from = entry.section == NameTable::kNone ? nullptr : &script_->sections[entry.section];

    // The first of each key in the command's section, found in one pass.
    const Key* first[kKeyCount] = {};
    if (command.from != nullptr) {
        for (const Key& key : command.from->keys) {
            int index = KeyIndex(key.name);
            if (index >= 0 && first[index] == nullptr) first[index] = &key;
        }
    }
    static const int kTypeRow = KeyIndex(kKeyCommandType);
    const Key* type = first[kTypeRow];
    command.type = type != nullptr && type->hasEquals ? ParseInt(type->value(), 1) : 1;

    size_t used = 0;
    int numbers[kKeyCount] = {};
    if (TypeAction(command.type) != nullptr) {
        for (size_t k = 0; k < kKeyCount; ++k) {
            const ScriptKey& key = kScriptKeys[k];
            if (key.readBy == 0 || (key.readBy & (1u << command.type)) == 0) continue;
            if (static_cast<int>(k) == kTypeRow) continue;
            // Read only when an integer key read before it is not 0.
            if (key.readWhen != nullptr && numbers[KeyIndex(key.readWhen)] == 0) continue;
            if (used == command.values.size()) {
                if (used == 0) command.values.reserve(kKeyCount);
                command.values.emplace_back();
            }
            PlanValue& value = command.values[used++];
            value.key = &key;
            value.source = key.inMainSection ? mainKeys_[k] : first[k];
            if (value.source != nullptr && !value.source->hasEquals) value.source = nullptr;
            std::string_view raw = value.source != nullptr ? value.source->value() : "";
            if (key.isInteger) {
                value.number = ParseInt(raw, key.defaultValue);
                numbers[k] = value.number;
                char text[12];
                std::to_chars_result end = std::to_chars(text, text + sizeof(text), value.number);
                value.value.assign(text, end.ptr);
            } else {
                value.number = 0;
                ResolveInto(key, raw, setting_, value.value);
            }
        }
    }
    command.values.resize(used);
}

Plan MakePlan(const ScriptFile& script, const Setting& setting) { return Plan(script, setting); }

}  // namespace check
