// What a script will do: its commands in the order they run, each with the values the program
// will use, cut to their arrays and with their macros expanded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "base/script_keys.h"
#include "script_file.h"

namespace check {

// Where the script runs: what "%TEMP%" and "%CURRENTDRIVE%" stand for, and the disc folder.
struct Setting {
    std::string tempDir = "C:\\WINDOWS\\TEMP";  // without its trailing separator
    std::string drive = "D:";
    std::string discDir;   // the folder of the script on this machine; empty: not looked at
    bool restart = false;  // tarnwick's /r: Windows restarts after the last command
};

// The setting for a temporary folder and tarnwick's options ("/t /cd:e:").
Setting MakeSetting(const std::string& tempDir, const std::string& options);

struct PlanValue {
    const ScriptKey* key;
    const Key* source;  // the line it comes from, or null when absent
    std::string value;  // as the program uses it; integers in decimal
    int number = 0;     // integers
};

struct PlannedCommand {
    int index = 0;
    std::string section;  // "COMMAND<index>"
    const Section* from;  // null when the script has no such section
    int type = 1;
    std::vector<PlanValue> values;  // in the order the command reads them

    const PlanValue* Find(const char* key) const;
};

// The value of a key as the program uses it: cut to its array, then expanded.
std::string Resolve(const ScriptKey& key, std::string_view raw, const Setting& setting);

// What a command of this type does, or null when it does nothing.
const char* TypeAction(int type);
const ScriptKey* KeyNamed(std::string_view name);
// Whether a row of the table of keys is the key of that name (one of the table's names).
inline bool IsKey(const ScriptKey& key, const char* name) {
    return key.name == name || std::string_view(key.name) == name;
}

// A plan lists at most this many commands without a section (they all do nothing).
const int kMissingListed = 1000;

// The commands in the order they run: every one that has a section, and of those without one
// the first kMissingListed. Each command is made afresh from the script when it is visited, so
// a plan takes a few bytes a command; it reads from the script, which must outlive it. A
// command seen through an iterator lasts until the iterator moves on.
class Plan {
  public:
    Plan() = default;
    Plan(const ScriptFile& script, const Setting& setting);

    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    PlannedCommand operator[](size_t i) const;
    // The type of the i-th command, without making it.
    int TypeAt(size_t i) const;
    // Makes the i-th command into `command`, reusing its storage.
    void Fill(size_t i, PlannedCommand& command) const;

    class const_iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = PlannedCommand;
        using difference_type = std::ptrdiff_t;
        using pointer = const PlannedCommand*;
        using reference = const PlannedCommand&;

        const_iterator(const Plan* plan, size_t i) : plan_(plan), i_(i) {
            if (i_ < plan_->size()) plan_->Fill(i_, current_);
        }
        const PlannedCommand& operator*() const { return current_; }
        const PlannedCommand* operator->() const { return &current_; }
        const_iterator& operator++() {
            if (++i_ < plan_->size()) plan_->Fill(i_, current_);
            return *this;
        }
        bool operator==(const const_iterator& other) const { return i_ == other.i_; }
        bool operator!=(const const_iterator& other) const { return i_ != other.i_; }
        size_t position() const { return i_; }

      private:
        const Plan* plan_;
        size_t i_;
        PlannedCommand current_;
    };
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

  private:
    struct Entry {
        int index;
        uint32_t section;  // NameTable::kNone: no section
    };
    static constexpr size_t kKeyCount = sizeof(kScriptKeys) / sizeof(kScriptKeys[0]);

    const ScriptFile* script_ = nullptr;
    Setting setting_;
    const Key* mainKeys_[kKeyCount] = {};  // the first of each key in [tarnwick]
    std::vector<Entry> entries_;
};

Plan MakePlan(const ScriptFile& script, const Setting& setting);

}  // namespace check
