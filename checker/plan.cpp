// What a script will do, command by command, with the values the program will use.
#include "plan.h"

#include <algorithm>

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
        if (value.key->name == key) return &value;
    }
    return nullptr;
}

std::string Resolve(const ScriptKey& key, const std::string& raw, const Setting& setting) {
    std::string value = Deliver(raw, key.size);
    if (!key.macrosExpanded) return value;
    char out[kExpandedSize];
    SubstituteMacros(value.c_str(), setting.tempDir.c_str(), setting.drive.c_str(), out,
                     kExpandedSize);
    return out;
}

const char* TypeAction(int type) {
    for (const CommandTypeInfo& info : kCommandTypeInfo) {
        if (info.type == type) return info.does;
    }
    return nullptr;
}

const ScriptKey* KeyNamed(const std::string& name) {
    std::string upper = Upper(name);
    for (const ScriptKey& key : kScriptKeys) {
        if (upper == key.name) return &key;
    }
    return nullptr;
}

std::vector<PlannedCommand> MakePlan(const ScriptFile& script, const Setting& setting) {
    std::vector<PlannedCommand> plan;
    int count = CommandsRun(script);
    const Section* main = FindSection(script, kMainSection);
    // The numbers that have a section; of the commands between them, only the first
    // kMissingListed are listed: a count of two thousand million would otherwise list them all.
    std::vector<int> numbers;
    for (size_t s = 1; s < script.sections.size(); ++s) {
        int number = CommandNumber(script.sections[s].name);
        if (number > 0 && number <= count &&
            EqualNoCase(script.sections[s].name, kCommandSectionPrefix + std::to_string(number)))
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    size_t next = 0;
    int missing = 0;
    for (long long at = 1; at <= count; ++at) {
        int i = static_cast<int>(at);
        while (next < numbers.size() && numbers[next] < i) ++next;
        bool listed = next < numbers.size() && numbers[next] == i;
        if (!listed && ++missing > kMissingListed) {
            if (next == numbers.size()) break;
            at = numbers[next] - 1;
            continue;
        }
        PlannedCommand command;
        command.index = i;
        command.section = kCommandSectionPrefix + std::to_string(i);
        command.from = FindSection(script, command.section);
        command.type = ReadInt(script, command.section, kKeyCommandType, 1);
        if (TypeAction(command.type) != nullptr) {
            for (const ScriptKey& key : kScriptKeys) {
                if (key.readBy == 0 || (key.readBy & (1u << command.type)) == 0) continue;
                if (key.name == std::string(kKeyCommandType)) continue;
                if (key.readWhen != nullptr) {
                    const PlanValue* when = command.Find(key.readWhen);
                    if (when == nullptr || when->number == 0) continue;
                }
                PlanValue value;
                value.key = &key;
                value.source = FindKeyIn(key.inMainSection ? main : command.from, key.name);
                if (value.source != nullptr && !value.source->hasEquals) value.source = nullptr;
                std::string raw = value.source != nullptr ? value.source->value : "";
                if (key.isInteger) {
                    value.number = ParseInt(raw, key.defaultValue);
                    value.value = std::to_string(value.number);
                } else {
                    value.value = Resolve(key, raw, setting);
                }
                command.values.push_back(value);
            }
        }
        plan.push_back(std::move(command));
    }
    return plan;
}

}  // namespace check
