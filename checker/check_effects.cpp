// Checks of what the commands do to each other, in the order they run: failures that pass
// without a word (a copy onto a folder or onto itself, a folder used after it was removed or
// removed after it was filled, a key deleted after it was given a subkey), and names that keep
// a quote or use `/` where the registry takes `\`.
#include <map>
#include <set>

#include "checks.h"

namespace check {

namespace {

const Severity kError = Severity::kError;
const Severity kWarning = Severity::kWarning;

// A path or key as Windows compares them: any case, `\` between levels, no trailing `\`.
std::string Normal(const std::string& path) {
    std::string out;
    for (size_t i = 0; i < path.size(); ++i) {
        char c = path[i] == '/' ? '\\' : path[i];
        if (c == '\\' && i > 1 && !out.empty() && out.back() == '\\') continue;
        out += c;
    }
    while (out.size() > 1 && out.back() == '\\') out.pop_back();
    return Upper(out);
}

std::string Parent(const std::string& normal) {
    size_t slash = normal.find_last_of('\\');
    return slash == std::string::npos ? "" : normal.substr(0, slash);
}

// Whether `path` is `folder` or lies below it.
bool Within(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.compare(0, folder.size(), folder) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '\\');
}

std::string Section(size_t command) { return "[COMMAND" + std::to_string(command) + "]"; }

// The keys that name a file, folder, key or program, where a quote left in is a failure.
bool IsPath(const ScriptKey& key) {
    return (key.macrosExpanded && !IsKey(key, kKeyRegValue)) || IsKey(key, kKeyRegKey) ||
           IsKey(key, kKeyCommandLine);
}

// A value that opens with a quote and never closes it keeps the quote.
void CheckQuote(const PlanValue& v, Findings& findings) {
    std::string raw(v.source->value());
    if (raw.empty() || (raw[0] != '"' && raw[0] != '\'')) return;
    if (raw.size() > 1 && raw.back() == raw[0]) return;
    // A command line may quote its program and go on: `"C:\x y\setup.exe" /s`.
    if (IsKey(*v.key, kKeyCommandLine) && raw.find(raw[0], 1) != std::string::npos) return;
    std::string fixed = raw.substr(1);
    // A program's path: the quote closes after it.
    size_t exe = Upper(raw).find(".EXE");
    if (IsKey(*v.key, kKeyCommandLine) && exe != std::string::npos)
        fixed = raw.substr(0, exe + 4) + raw[0] + raw.substr(exe + 4);
    findings.Add(v.source->valueAt(), kError, "unclosed-quote",
                 std::string(v.key->name) + " opens with `" + raw[0] +
                     "` and never closes it: only a value wholly enclosed in matching quotes "
                     "loses them, so the quote stays in the name and the command fails without a "
                     "word; write " +
                     v.key->name + "=" + fixed);
}

class Effects {
  public:
    Effects(const Setting& setting, Findings& findings)
        : temp_(Normal(setting.tempDir)), findings_(findings) {}

    void Run(const PlannedCommand& command) {
        for (const PlanValue& v : command.values) {
            if (v.source != nullptr && IsPath(*v.key)) CheckQuote(v, findings_);
        }
        const PlanValue* key = command.Find(kKeyRegKey);
        if (key != nullptr && key->source != nullptr && !key->value.empty())
            Registry(command, *key);
        if (command.type == 6 || command.type == 7) {
            const PlanValue* dir = command.Find(kKeyDirName);
            if (dir == nullptr || dir->source == nullptr || dir->value.empty()) return;
            if (command.type == 6) MakeDir(command, *dir);
            if (command.type == 7) RemoveDir(command, *dir);
        }
        if (command.type == 11) Copy(command);
    }

  private:
    // The folder a command writes into or reads from was removed by an earlier command: the
    // folder itself or one that holds it, the outermost first.
    bool Removed(const PlanValue& v, const std::string& path, const char* what) {
        for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
            size_t length = end == std::string::npos ? path.size() : end;
            auto removed = length == 0 ? removed_.end()
                                       : removed_.find(std::string_view(path).substr(0, length));
            if (removed != removed_.end()) {
                findings_.Add(v.source->valueAt(), kError, "removed-folder",
                              Quoted(removed->second.second) + " was removed by " +
                                  Section(removed->second.first) + ", before this command: " +
                                  what + " fails without a word; move that command after this one");
                return true;
            }
            if (end == std::string::npos) return false;
        }
    }

    void MakeDir(const PlannedCommand& command, const PlanValue& dir) {
        std::string path = Normal(dir.value);
        Removed(dir, Parent(path), "making a folder in it");
        removed_.erase(path);
        made_.emplace(path, command.index);
        children_[Parent(path)].insert(path);
    }

    void RemoveDir(const PlannedCommand& command, const PlanValue& dir) {
        std::string path = Normal(dir.value);
        auto children = children_.find(path);
        if (children != children_.end() && !children->second.empty()) {
            findings_.Add(dir.source->valueAt(), kError, "folder-not-empty",
                          "the script made " + Quoted(*children->second.begin()) +
                              " inside this folder: a type 7 command removes only an empty "
                              "folder, so both stay without a word; remove that one first, in a "
                              "type 7 command before this one");
            return;
        }
        auto files = files_.find(path);
        if (files != files_.end()) {
            findings_.Add(dir.source->valueAt(), kError, "folder-not-empty",
                          Section(files->second) +
                              " copies a file into this folder: a type 7 command removes only an "
                              "empty folder, and the program deletes no files, so it stays "
                              "without a word; copy that file elsewhere, or drop this command");
            return;
        }
        made_.erase(path);
        children_[Parent(path)].erase(path);
        removed_.emplace(path, std::make_pair(command.index, dir.value));
    }

    void Copy(const PlannedCommand& command) {
        const PlanValue* source = command.Find(kKeySourceFileName);
        const PlanValue* dest = command.Find(kKeyDestFileName);
        if (source == nullptr || dest == nullptr || dest->source == nullptr) return;
        if (source->value.empty() || dest->value.empty()) return;
        std::string from = Normal(source->value);
        std::string to = Normal(dest->value);
        if (from.find('%') != std::string::npos || to.find('%') != std::string::npos) return;
        if (Removed(*source, Parent(from), "the copy from it")) return;
        if (from == to) {
            findings_.Add(dest->source->valueAt(), kError, "copy-onto-itself",
                          "the copy's destination is its source, " + Quoted(source->value) +
                              ": Windows copies no file onto itself and the command does nothing; "
                              "name another destination");
            return;
        }
        auto made = made_.find(to);
        bool root = to.size() == 2 && to[1] == ':';
        bool folder = to == temp_ || root || dest->value.back() == '\\' ||
                      dest->value.back() == '/' || made != made_.end();
        if (folder) {
            std::string name(source->source->value());
            name = name.substr(
                name.find_last_of("\\/:") == std::string::npos ? 0 : name.find_last_of("\\/:") + 1);
            std::string raw(dest->source->value());
            while (!raw.empty() && (raw.back() == '\\' || raw.back() == '/')) raw.pop_back();
            findings_.Add(
                dest->source->valueAt(), kError, "copy-to-folder",
                "DESTFILENAME names a folder" +
                    (made != made_.end() ? ", made by " + Section(made->second) : std::string()) +
                    ": a copy needs the new file's whole name and fails without a "
                    "word; write DESTFILENAME=" +
                    raw + "\\" + name);
            return;
        }
        if (Removed(*dest, Parent(to), "the copy into it")) return;
        files_.emplace(Parent(to), command.index);
    }

    void Registry(const PlannedCommand& command, const PlanValue& key) {
        const std::string& value = key.value;
        if (value.find('/') != std::string::npos && value.find('\\') == std::string::npos) {
            std::string fixed = value;
            for (char& c : fixed) c = c == '/' ? '\\' : c;
            findings_.Add(key.source->valueAt(), kError, "registry-path",
                          "REGKEY is written with `/`: the registry takes `/` as part of a name, "
                          "so this is one key named " +
                              Quoted(value) + " below HKEY_LOCAL_MACHINE; write REGKEY=" + fixed);
            return;
        }
        std::string path = Upper(value);
        if (command.type == 2 || command.type == 4) {
            keys_.emplace(path, std::make_pair(command.index, value));
        } else if (command.type == 3) {
            // Its subkeys follow `path\` in the order of the names: the first of them, if any.
            auto sub = keys_.lower_bound(path + "\\");
            if (sub != keys_.end() && Within(sub->first, path)) {
                findings_.Add(key.source->valueAt(), kWarning, "registry-subkey",
                              Section(sub->second.first) + " made the subkey " +
                                  Quoted(sub->second.second) +
                                  ": Windows NT and later keep a key that has subkeys (the "
                                  "command does nothing), Windows 95 deletes the whole tree; "
                                  "delete each subkey first, deepest first, in its own type 3 "
                                  "command");
            }
            keys_.erase(path);
        }
    }

    std::string temp_;
    Findings& findings_;
    std::map<std::string, int> made_;  // folders made by type 6, with the command
    // Folders removed by type 7, with the command and the folder as the script names it.
    std::map<std::string, std::pair<int, std::string>, std::less<>> removed_;
    std::map<std::string, std::set<std::string>> children_;  // folders made in each folder
    std::map<std::string, int> files_;  // folders copied into, with the first such copy
    // Keys made by types 2 and 4 (upper case), with the command and the key as written.
    std::map<std::string, std::pair<int, std::string>> keys_;
};

}  // namespace

struct EffectsCheck::State : Effects {
    using Effects::Effects;
};

EffectsCheck::EffectsCheck(const Setting& setting, Findings& findings)
    : state_(std::make_unique<State>(setting, findings)) {}

EffectsCheck::~EffectsCheck() = default;

void EffectsCheck::Run(const PlannedCommand& command) { state_->Run(command); }

}  // namespace check
