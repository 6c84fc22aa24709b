// A script read the way Windows reads an initialisation file: its sections and keys, where each
// stands in the file, and the two reading operations of the program answered from them. Names and
// values are places in the file's own text, which the script keeps; nothing is copied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "name_table.h"

namespace check {

enum class Encoding { kAnsi, kUtf8Bom, kUtf16Le, kUtf16Be };

// A place in the file as an editor counts it: lines and columns from 1.
struct Position {
    int line = 0;
    int column = 0;
};

// One line of a section that is not a header (comment lines, which start with `;`, aside: the
// program never asks for a name that starts so).
struct Key {
    Key() : column(0), hasEquals(0) {}

    std::string_view name;     // as the platform keeps it: blanks trimmed, ended by a NUL
    uint32_t valueOffset = 0;  // from the name's first byte to the value's
    uint32_t valueSize = 0;
    int line = 0;
    uint32_t column : 31;  // the name's
    uint32_t hasEquals : 1;

    // Blanks trimmed, quotes still on, ended by a NUL.
    std::string_view value() const { return {name.data() + valueOffset, valueSize}; }
    Position at() const { return {line, static_cast<int>(column)}; }
    // The value's first character.
    Position valueAt() const { return {line, static_cast<int>(column + valueOffset)}; }
};

// The keys of one section, in the order of the file.
struct Keys {
    const Key* first = nullptr;
    const Key* last = nullptr;
    const Key* begin() const { return first; }
    const Key* end() const { return last; }
    size_t size() const { return static_cast<size_t>(last - first); }
    bool empty() const { return first == last; }
    const Key& operator[](size_t i) const { return first[i]; }
    const Key& back() const { return last[-1]; }
};

struct Section {
    std::string_view name;  // between the brackets, blanks trimmed, ended by a NUL
    Position at;            // the '['; line 0 for the keys that stand before any header
    Keys keys;
};

// Bytes that Windows versions read differently, and lines that are neither section nor key.
struct Oddity {
    enum Kind { kNul, kHighByte, kUtf8Sequence, kNotAnsi, kUnclosedHeader, kNoEquals } kind;
    Position at;
    std::string_view text;  // the bytes or the line concerned
};

struct ScriptFile {
    ScriptFile() = default;
    ScriptFile(ScriptFile&&) = default;
    ScriptFile& operator=(ScriptFile&&) = default;
    ScriptFile(const ScriptFile&) = delete;
    ScriptFile& operator=(const ScriptFile&) = delete;

    Encoding encoding = Encoding::kAnsi;
    std::vector<Section> sections;  // sections[0] holds the keys before the first header
    std::vector<Oddity> oddities;
    int lineCount = 0;

    // The text the names and values lie in (UTF-16 converted to ANSI), and what points into it.
    std::unique_ptr<const std::string> text;
    std::vector<Key> keys;   // every key, section after section
    NameTable sectionNames;  // the first section of each name
    // The first section of each command number ("COMMAND<n>" by the shared rule), by number.
    std::vector<std::pair<int, uint32_t>> commands;
};

// Reads the bytes of a script as Windows does: a UTF-16 file with its byte-order mark as text,
// anything else byte for byte in the ANSI code page (a UTF-8 byte-order mark included).
ScriptFile ReadScript(std::string bytes);

// The first section of that name (any case), or null.
const Section* FindSection(const ScriptFile& script, std::string_view name);
// The first key of that name in one section, or null.
const Key* FindKeyIn(const Section* section, std::string_view name);
// The key the platform reads: the first of that name in the first section of that name (the
// keys of a section that appears again are never read). Null when none.
const Key* FindKey(const ScriptFile& script, std::string_view section, std::string_view name);

// What GetPrivateProfileStringA gives for a key with an empty default, into `size` bytes:
// matching quotes removed, cut to size - 1.
std::string ReadString(const ScriptFile& script, std::string_view section, std::string_view key,
                       int size);
// The text a key's value delivers into `size` bytes (the part of ReadString after the lookup).
std::string_view Delivered(std::string_view value, int size);
inline std::string Deliver(std::string_view value, int size) {
    return std::string(Delivered(value, size));
}
// What GetPrivateProfileIntA gives: the number at the start of the value, or `def`.
int ReadInt(const ScriptFile& script, std::string_view section, std::string_view key, int def);
int ParseInt(std::string_view value, int def, bool* numeric = nullptr);

// The command that reads a section of this name, by the rule the program follows
// (base/command_section.h), or 0: "COMMAND05", "COMMAND 5" and "COMMAND99999999999" are read by
// no command.
int CommandNumber(std::string_view name);

// How many commands run: NUMBEROFCOMMANDS, bounded by the last COMMANDn section as the program
// bounds it (unless the script's section names take more room than the program gives them).
int CommandsRun(const ScriptFile& script);

std::string Upper(std::string_view text);

}  // namespace check
