// A script read the way Windows reads an initialisation file: its sections and keys, where each
// stands in the file, and the two reading operations of the program answered from them.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace check {

enum class Encoding { kAnsi, kUtf8Bom, kUtf16Le, kUtf16Be };

// A place in the file as an editor counts it: lines and columns from 1.
struct Position {
    int line = 0;
    int column = 0;
};

struct Key {
    std::string name;   // as the platform keeps it: blanks trimmed, ended by a NUL
    std::string value;  // blanks trimmed, quotes still on, ended by a NUL
    bool hasEquals = false;
    Position at;       // the name
    Position valueAt;  // the value's first character
};

struct Section {
    std::string name;  // between the brackets, as written, ended by a NUL
    Position at;       // the '['; line 0 for the keys that stand before any header
    std::vector<Key> keys;
};

// Bytes that Windows versions read differently, and lines that are neither section nor key.
struct Oddity {
    enum Kind { kNul, kHighByte, kUtf8Sequence, kNotAnsi, kUnclosedHeader, kNoEquals } kind;
    Position at;
    std::string text;  // the bytes or the line concerned
};

struct ScriptFile {
    Encoding encoding = Encoding::kAnsi;
    std::vector<Section> sections;  // sections[0] holds the keys before the first header
    std::vector<Oddity> oddities;
    int lineCount = 0;
    // Upper-cased name -> the sections of that name, in the order of the file.
    std::unordered_map<std::string, std::vector<size_t>> sectionsByName;
};

// Reads the bytes of a script as Windows does: a UTF-16 file with its byte-order mark as text,
// anything else byte for byte in the ANSI code page (a UTF-8 byte-order mark included).
ScriptFile ReadScript(const std::string& bytes);

// The first section of that name (any case), or null.
const Section* FindSection(const ScriptFile& script, const std::string& name);
// The first key of that name in one section, or null.
const Key* FindKeyIn(const Section* section, const std::string& name);
// The key the platform reads: the first of that name in the first section of that name (the
// keys of a section that appears again are never read). Null when none.
const Key* FindKey(const ScriptFile& script, const std::string& section, const std::string& name);

// What GetPrivateProfileStringA gives for a key with an empty default, into `size` bytes:
// matching quotes removed, cut to size - 1.
std::string ReadString(const ScriptFile& script, const std::string& section, const std::string& key,
                       int size);
// The text a key's value delivers into `size` bytes (the part of ReadString after the lookup).
std::string Deliver(const std::string& value, int size);
// What GetPrivateProfileIntA gives: the number at the start of the value, or `def`.
int ReadInt(const ScriptFile& script, const std::string& section, const std::string& key, int def);
int ParseInt(const std::string& value, int def, bool* numeric = nullptr);

// The number of a section named "COMMAND<digits>" (any case), or 0. Past the largest int: that.
int CommandNumber(const std::string& name);

// How many commands run: NUMBEROFCOMMANDS, bounded by the last COMMANDn section as the program
// bounds it (unless the script's section names take more room than the program gives them).
int CommandsRun(const ScriptFile& script);

std::string Upper(std::string text);
// Equal in any case of the ASCII letters, as the platform matches names.
bool EqualNoCase(const std::string& a, const std::string& b);

}  // namespace check
