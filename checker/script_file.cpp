// A script read the way Windows reads an initialisation file.
#include "script_file.h"

#include <cstdint>
#include <cstring>

#include "base/script_keys.h"
#include "base/sizes.h"

namespace check {

namespace {

// The blanks the platform trims around names and values; ^Z (DOS end of file) is one of them.
bool IsBlank(unsigned char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }

std::string UntilNul(const std::string& text) { return text.substr(0, text.find('\0')); }

// The first `c` in [from, to) of `text`, or `to`; a search never runs past its line.
size_t FindIn(const std::string& text, char c, size_t from, size_t to) {
    const void* at = from < to ? memchr(text.data() + from, c, to - from) : nullptr;
    return at == nullptr ? to : static_cast<size_t>(static_cast<const char*>(at) - text.data());
}

// One UTF-16 code unit as the ANSI code page has it; '?' where it has none.
char ToAnsi(unsigned unit, bool* fits) {
    *fits = unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF);
    return *fits ? static_cast<char>(unit) : '?';
}

// The UTF-16 text after the byte-order mark, as ANSI bytes, noting what the code page lacks.
std::string FromUtf16(const std::string& bytes, bool bigEndian, std::vector<Position>* lost) {
    std::string text;
    text.reserve(bytes.size() / 2);
    Position at{1, 1};
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        unsigned lo = static_cast<unsigned char>(bytes[i]);
        unsigned hi = static_cast<unsigned char>(bytes[i + 1]);
        unsigned unit = bigEndian ? (lo << 8 | hi) : (hi << 8 | lo);
        bool fits = true;
        char c = ToAnsi(unit, &fits);
        if (!fits && (lost->empty() || lost->back().line != at.line)) lost->push_back(at);
        text += c;
        if (c == '\n' || (c == '\r' && !(i + 3 < bytes.size() && bytes[i + 2] == '\n'))) {
            ++at.line;
            at.column = 1;
        } else {
            ++at.column;
        }
    }
    return text;
}

// Length of a well-formed UTF-8 sequence of two or more bytes at `p`, or 0.
size_t Utf8Length(const unsigned char* p, const unsigned char* end) {
    size_t n = (p[0] & 0xE0) == 0xC0   ? 2
               : (p[0] & 0xF0) == 0xE0 ? 3
               : (p[0] & 0xF8) == 0xF0 ? 4
                                       : 0;
    if (n == 0 || p[0] == 0xC0 || p[0] == 0xC1 || static_cast<size_t>(end - p) < n) return 0;
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
    }
    return n;
}

const size_t kMaxOddities = 1000;

class Parser {
  public:
    explicit Parser(ScriptFile& script) : script_(script) {}

    void Line(const std::string& text, size_t start, size_t end, int line) {
        NoteBytes(text, start, end, line);
        size_t s = start;
        size_t e = end;
        while (s < e && IsBlank(static_cast<unsigned char>(text[s]))) ++s;
        while (e > s && IsBlank(static_cast<unsigned char>(text[e - 1]))) --e;
        if (s >= e) return;
        Position at{line, static_cast<int>(s - start) + 1};
        if (text[s] == '[') {
            // The name runs to the last ']' of the line.
            size_t close = e - 1;
            while (close > s && text[close] != ']') --close;
            if (close > s) {
                Section section;
                // Blanks inside the brackets are not part of the name.
                size_t from = s + 1;
                size_t to = close;
                while (from < to && IsBlank(static_cast<unsigned char>(text[from]))) ++from;
                while (to > from && IsBlank(static_cast<unsigned char>(text[to - 1]))) --to;
                section.name = UntilNul(text.substr(from, to - from));
                section.at = at;
                script_.sections.push_back(std::move(section));
                previousEmpty_ = false;
                return;
            }
            Note(Oddity::kUnclosedHeader, at, text.substr(s, e - s));
        }
        Key key;
        key.at = at;
        size_t equals = FindIn(text, '=', s, e);
        if (equals < e) {
            size_t nameEnd = equals;
            while (nameEnd > s && IsBlank(static_cast<unsigned char>(text[nameEnd - 1]))) --nameEnd;
            size_t v = equals + 1;
            while (v < e && IsBlank(static_cast<unsigned char>(text[v]))) ++v;
            key.name = UntilNul(text.substr(s, nameEnd - s));
            key.value = UntilNul(text.substr(v, e - v));
            key.hasEquals = true;
            key.valueAt = Position{line, static_cast<int>(v - start) + 1};
        } else {
            key.name = UntilNul(text.substr(s, e - s));
            key.valueAt = Position{line, static_cast<int>(e - start) + 1};
            if (text[s] != ';' && text[s] != '#' && text[s] != '[')
                Note(Oddity::kNoEquals, at, key.name);
        }
        // A line with no name after another such line is dropped, as the platform drops it.
        std::vector<Key>& keys = script_.sections.back().keys;
        if (equals == s && previousEmpty_ && !keys.empty()) return;
        previousEmpty_ = key.name.empty();
        keys.push_back(std::move(key));
    }

  private:
    void Note(Oddity::Kind kind, Position at, std::string text) {
        if (script_.oddities.size() < kMaxOddities)
            script_.oddities.push_back(Oddity{kind, at, std::move(text)});
    }

    // NUL bytes and bytes outside ASCII, once per line and kind.
    void NoteBytes(const std::string& text, size_t start, size_t end, int line) {
        if (script_.encoding != Encoding::kAnsi && script_.encoding != Encoding::kUtf8Bom) {
            size_t nul = FindIn(text, '\0', start, end);
            if (nul < end) Note(Oddity::kNul, {line, static_cast<int>(nul - start) + 1}, "");
            return;
        }
        bool nul = false, high = false, utf8 = false;
        const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
        for (size_t i = start; i < end; ++i) {
            Position at{line, static_cast<int>(i - start) + 1};
            if (p[i] == 0 && !nul) {
                nul = true;
                Note(Oddity::kNul, at, "");
            } else if (p[i] >= 0x80) {
                size_t n = Utf8Length(p + i, p + end);
                if (n > 0 && !utf8) {
                    utf8 = true;
                    Note(Oddity::kUtf8Sequence, at, text.substr(i, n));
                } else if (n == 0 && !high) {
                    high = true;
                    Note(Oddity::kHighByte, at, text.substr(i, 1));
                }
                if (n > 0) i += n - 1;
            }
        }
    }

    ScriptFile& script_;
    bool previousEmpty_ = false;
};

}  // namespace

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 'a' + 'A') : b[i];
        if (x != y) return false;
    }
    return true;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

ScriptFile ReadScript(const std::string& bytes) {
    ScriptFile script;
    script.sections.emplace_back();
    std::string decoded;
    const std::string* text = &bytes;
    if (bytes.size() >= 2 &&
        (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)) {
        bool bigEndian = bytes[0] == '\xFE';
        script.encoding = bigEndian ? Encoding::kUtf16Be : Encoding::kUtf16Le;
        std::vector<Position> lost;
        decoded = FromUtf16(bytes, bigEndian, &lost);
        for (const Position& at : lost) {
            if (script.oddities.size() < kMaxOddities)
                script.oddities.push_back(Oddity{Oddity::kNotAnsi, at, ""});
        }
        text = &decoded;
    } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        // Windows takes the mark for three characters of the first line.
        script.encoding = Encoding::kUtf8Bom;
    }

    Parser parser(script);
    size_t n = text->size();
    size_t i = 0;
    int line = 1;
    while (i < n) {
        size_t start = i;
        while (i < n && (*text)[i] != '\r' && (*text)[i] != '\n') ++i;
        parser.Line(*text, start, i, line);
        if (i < n) {
            i += ((*text)[i] == '\r' && i + 1 < n && (*text)[i + 1] == '\n') ? 2 : 1;
            ++line;
        }
    }
    script.lineCount = line;
    for (size_t s = 1; s < script.sections.size(); ++s)
        script.sectionsByName[Upper(script.sections[s].name)].push_back(s);
    return script;
}

const Section* FindSection(const ScriptFile& script, const std::string& name) {
    auto found = script.sectionsByName.find(Upper(name));
    return found == script.sectionsByName.end() ? nullptr : &script.sections[found->second[0]];
}

const Key* FindKeyIn(const Section* section, const std::string& name) {
    if (section == nullptr) return nullptr;
    for (const Key& key : section->keys) {
        if (EqualNoCase(key.name, name)) return &key;
    }
    return nullptr;
}

const Key* FindKey(const ScriptFile& script, const std::string& section, const std::string& name) {
    auto found = script.sectionsByName.find(Upper(section));
    if (found == script.sectionsByName.end()) return nullptr;
    return FindKeyIn(&script.sections[found->second[0]], name);
}

std::string Deliver(const std::string& value, int size) {
    if (size <= 0) return "";
    std::string text = value;
    bool quoted = text.size() > 1 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0];
    if (quoted) text.erase(0, 1);
    std::string out = text.substr(0, static_cast<size_t>(size - 1));
    // The closing quote is dropped from what was copied: when the value fills the buffer
    // exactly, that is its last character instead.
    if (quoted && static_cast<size_t>(size) >= text.size() && !out.empty()) out.pop_back();
    return out;
}

std::string ReadString(const ScriptFile& script, const std::string& section, const std::string& key,
                       int size) {
    const Key* found = FindKey(script, section, key);
    return found != nullptr && found->hasEquals ? Deliver(found->value, size) : "";
}

int ParseInt(const std::string& value, int def, bool* numeric) {
    // The value is taken through a buffer of 30 characters, then read as the platform's
    // RtlUnicodeStringToInteger reads it with base 0.
    std::string text = Deliver(value, 30);
    if (numeric != nullptr) *numeric = false;
    if (text.empty()) return def;
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        char b = text[i + 1];
        base = b == 'b' ? 2 : b == 'o' ? 8 : b == 'x' ? 16 : 10;
        if (base != 10) i += 2;
    }
    uint32_t total = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'A' && c <= 'Z' ? c - 'A' + 10
                    : c >= 'a' && c <= 'z' ? c - 'a' + 10
                                           : -1;
        if (digit < 0 || static_cast<uint32_t>(digit) >= base) break;
        total = total * base + static_cast<uint32_t>(digit);
        if (numeric != nullptr) *numeric = true;
    }
    return static_cast<int>(minus ? 0u - total : total);
}

int ReadInt(const ScriptFile& script, const std::string& section, const std::string& key, int def) {
    const Key* found = FindKey(script, section, key);
    return found != nullptr && found->hasEquals ? ParseInt(found->value, def) : def;
}

int CommandNumber(const std::string& name) {
    const std::string prefix = kCommandSectionPrefix;
    if (name.size() <= prefix.size() || Upper(name.substr(0, prefix.size())) != prefix) return 0;
    int number = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
        int digit = name[i] - '0';
        number = number > (0x7FFFFFFF - digit) / 10 ? 0x7FFFFFFF : number * 10 + digit;
    }
    return number;
}

int CommandsRun(const ScriptFile& script) {
    int count = ReadInt(script, kMainSection, kKeyNumberOfCommands, 0);
    if (count <= 0) return count;
    size_t names = 0;
    int highest = 0;
    for (size_t s = 1; s < script.sections.size(); ++s) {
        const std::string& name = script.sections[s].name;
        if (name.empty()) continue;
        names += name.size() + 1;
        int number = CommandNumber(name);
        if (number > highest) highest = number;
    }
    // The names are read into kSectionNamesSize bytes; a list that fills it leaves the count.
    if (names >= static_cast<size_t>(kSectionNamesSize - 2)) return count;
    return highest < count ? highest : count;
}

}  // namespace check
