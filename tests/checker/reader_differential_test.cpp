// The checker's reading of a script against the platform's own: for every script of the
// malformed-script corpus and for generated scripts, each value the checker resolves must equal
// what GetPrivateProfileStringA and GetPrivateProfileIntA return for the same section and key.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "base/script_keys.h"
#include "harness/harness.h"
#include "script_file.h"

using namespace harness;
using check::Upper;

namespace {

// Where Windows reads a script differently from Wine, the checker follows Windows. Each such
// script is listed with what the checker must resolve instead of Wine's value.
struct Difference {
    const char* script;
    const char* section;
    const char* key;
    const char* checker;  // what the checker resolves, as Windows reads it
    const char* reason;
};
const Difference kDifferences[] = {
    {"generated-utf8-mark", "tarnwick", "NUMBEROFCOMMANDS", "",
     "Windows reads a UTF-8 byte-order mark as three characters of the first line, so the "
     "[tarnwick] header on that line is no header; Wine skips the mark"},
};

const Difference* ListedDifference(const std::string& script, const std::string& section,
                                   const std::string& key) {
    for (const Difference& d : kDifferences) {
        if (script == d.script && Upper(section) == Upper(d.section) && key == d.key) return &d;
    }
    return nullptr;
}

bool Ascii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            return false;
    }
    return !text.empty();
}

// Compares every key of the table and of the script, in every section the program or the
// script names, at the key's array size and at two small sizes. Returns the comparisons made.
int Compare(const std::string& name, const std::string& bytes) {
    static int serial = 0;
    // A file name of its own each time: the platform caches what it has read.
    std::string path = TempDir() + "\\tarnwick_differential_" + std::to_string(++serial) + ".cfg";
    WriteFile(path, bytes);
    check::ScriptFile script = check::ReadScript(bytes);

    std::set<std::string> sections = {"tarnwick", "TARNWICK", "COMMAND1", "command2", "COMMAND3"};
    std::set<std::string> keys;
    for (const ScriptKey& key : kScriptKeys) keys.insert(key.name);
    for (const check::Section& section : script.sections) {
        if (Ascii(section.name) && section.name.find_first_of(" \t") == std::string::npos &&
            script.sections.size() < 50)
            sections.emplace(section.name);
        for (const check::Key& key : section.keys) {
            if (Ascii(key.name)) keys.emplace(key.name);
        }
    }
    int compared = 0;
    for (const std::string& section : sections) {
        for (const std::string& key : keys) {
            const ScriptKey* row = nullptr;
            for (const ScriptKey& k : kScriptKeys) {
                if (key == k.name) row = &k;
            }
            const Difference* listed = ListedDifference(name, section, key);
            for (int size : {row != nullptr && row->size > 0 ? row->size : kPathSize, 1, 4}) {
                char platform[1024];
                memset(platform, '#', sizeof(platform));
                GetPrivateProfileStringA(section.c_str(), key.c_str(), "", platform,
                                         static_cast<DWORD>(size), path.c_str());
                std::string ours = check::ReadString(script, section, key, size);
                std::string where =
                    name + " [" + section + "] " + key + " size " + std::to_string(size);
                if (listed != nullptr) {
                    EXPECT_EQ(ours, listed->checker) << where << ": " << listed->reason;
                    EXPECT_NE(ours, std::string(platform)) << where << ": no longer differs";
                    break;
                }
                EXPECT_EQ(ours, std::string(platform)) << where;
                EXPECT_EQ(platform[size], '#') << where << ": the platform wrote past its size";
                ++compared;
            }
            if (listed != nullptr) continue;
            int platformInt = static_cast<int>(
                GetPrivateProfileIntA(section.c_str(), key.c_str(), -7, path.c_str()));
            EXPECT_EQ(check::ReadInt(script, section, key, -7), platformInt)
                << name << " [" << section << "] " << key << " as an integer";
        }
    }
    // The section names, from which the program bounds its count.
    std::vector<char> names(1 << 16);
    DWORD len = GetPrivateProfileStringA(nullptr, nullptr, "", names.data(),
                                         static_cast<DWORD>(names.size()), path.c_str());
    std::vector<std::string> platformNames;
    for (DWORD i = 0; i < len; i += static_cast<DWORD>(platformNames.back().size()) + 1)
        platformNames.emplace_back(&names[i]);
    std::vector<std::string> ourNames;
    for (size_t s = 1; s < script.sections.size(); ++s) {
        if (!script.sections[s].name.empty()) ourNames.emplace_back(script.sections[s].name);
    }
    if (ListedDifference(name, "tarnwick", "NUMBEROFCOMMANDS") == nullptr) {
        EXPECT_EQ(ourNames, platformNames) << name << ": section names";
    }
    DeleteFileA(path.c_str());
    return compared;
}

// A generated script: lines drawn from pieces that each probe one rule of the reader.
std::string Generated(unsigned& seed) {
    static const char* const kHeaders[] = {
        "[tarnwick]", "[TARNWICK]",   "[COMMAND1]", "[command2]",
        "[COMMAND3]", "[ COMMAND1 ]", "[COMMAND2",  "  [COMMAND3]  trailing",
        "[]",         "[COMMAND1]]",
    };
    static const char* const kNames[] = {
        "NUMBEROFCOMMANDS", "numberofcommands", " COMMANDTYPE ", "\tDIRNAME",
        "COMMANDLINE",      "REGVALUENAME",     "APPTITLE",      "",
        "; COMMANDLINE",    "DIR NAME",
    };
    static const char* const kValues[] = {
        "3",
        " -3 ",
        "0x10",
        "0X10",
        "+7",
        "12abc",
        "abc",
        "\"5\"",
        "0b101",
        "0o17",
        "99999999999",
        "\"quoted\"",
        "'single'",
        "\"mismatched'",
        "\"",
        "''",
        " a b ",
        "x;y#z",
        "\"abc\"",
        "tab\there",
        "\x1a"
        "eof\x1a",
        "v\vw\f",
        "%TEMP%\\x",
        "\"   12\"",
        "caf\xE9",
    };
    static const char* const kEnds[] = {"\r\n", "\n", "\r", "\n\r", "\r\n\r\n"};
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    std::string text;
    int lines = 4 + static_cast<int>(next(14));
    for (int i = 0; i < lines; ++i) {
        unsigned kind = next(10);
        if (kind < 3) {
            text += kHeaders[next(10)];
        } else if (kind == 3) {
            // Values around the array sizes, with and without quotes.
            int length = 252 + static_cast<int>(next(10));
            std::string value(static_cast<size_t>(length), static_cast<char>('a' + next(26)));
            text += std::string(kNames[next(7)]) + "=" + (next(2) ? "\"" + value + "\"" : value);
        } else if (kind == 4) {
            text += std::string(kNames[next(10)]);
        } else {
            text += std::string(kNames[next(10)]) + (next(2) ? " = " : "=") + kValues[next(25)];
        }
        text += kEnds[next(5)];
    }
    return text;
}

}  // namespace

TEST(CheckerReader, AgreesWithTheProfileFunctions) {
    const char* data = std::getenv("TARNWICK_DATA");
    ASSERT_NE(data, nullptr);
    std::string corpus = ToWindowsPath(data) + "\\bad_scripts";
    int files = 0;
    int compared = 0;
    for (const std::string& file : Entries(corpus)) {
        if (file.size() < 4 || file.compare(file.size() - 4, 4, ".cfg") != 0) continue;
        auto bytes = ReadFile(corpus + "\\" + file);
        ASSERT_TRUE(bytes.has_value()) << file;
        compared += Compare(file, *bytes);
        ++files;
    }
    EXPECT_GE(files, 30);

    unsigned seed = 20261208;
    for (int i = 0; i < 150; ++i)
        compared += Compare("generated-" + std::to_string(i), Generated(seed));
    const char nul[] = "[tarnwick]\nNUMBER\0OFCOMMANDS=1\n[COMM\0AND1]\nDIRNAME=ab\0cd\n";
    compared += Compare("generated-nul", std::string(nul, sizeof(nul) - 1));
    compared += Compare("generated-utf8-mark", "\xEF\xBB\xBF[tarnwick]\r\nNUMBEROFCOMMANDS=2\r\n");
    // Many commands, and section names past the array the program reads them into.
    std::string many = "[tarnwick]\nNUMBEROFCOMMANDS=99999\n";
    for (int i = 1; i <= 3000; ++i) many += "[COMMAND" + std::to_string(i) + "]\nCOMMANDTYPE=6\n";
    compared += Compare("generated-many", many);
    RecordProperty("comparisons", compared);
}
