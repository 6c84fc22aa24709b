// A script read the way Windows reads an initialisation file.
#include "script_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/command_section.h"
#include "base/script_keys.h"
#include "base/sizes.h"

namespace check {

namespace {

// The blanks the platform trims around names and values; ^Z (DOS end of file) is one of them.
bool IsBlank(unsigned char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20; }

std::string_view UntilNul(std::string_view text) { return text.substr(0, text.find('\0')); }

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

// How many times `c` stands in `text`.
size_t Count(const std::string& text, char c) {
    size_t n = 0;
    const char* end = text.data() + text.size();
    for (const char* p = text.data(); p < end; ++p, ++n) {
        p = static_cast<const char*>(memchr(p, c, static_cast<size_t>(end - p)));
        if (p == nullptr) break;
    }
    return n;
}

class Parser {
  public:
    Parser(ScriptFile& script, std::vector<uint32_t>& firstKeys)
        : script_(script), text_(*script.text), firstKeys_(firstKeys) {}

    void Line(size_t start, size_t end, int line) {
        NoteBytes(start, end, line);
        const std::string& text = text_;
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
                section.name = UntilNul(View(from, to));
                section.at = at;
                script_.sections.push_back(section);
                firstKeys_.push_back(static_cast<uint32_t>(script_.keys.size()));
                previousEmpty_ = false;
                linesInSection_ = 0;
                return;
            }
            Note(Oddity::kUnclosedHeader, at, View(s, e));
        }
        Key key;
        key.line = line;
        key.column = static_cast<uint32_t>(s - start) + 1;
        size_t equals = FindIn(text, '=', s, e);
        if (equals < e) {
            size_t nameEnd = equals;
            while (nameEnd > s && IsBlank(static_cast<unsigned char>(text[nameEnd - 1]))) --nameEnd;
            size_t v = equals + 1;
            while (v < e && IsBlank(static_cast<unsigned char>(text[v]))) ++v;
            key.name = UntilNul(View(s, nameEnd));
            key.valueOffset = static_cast<uint32_t>(v - s);
            key.valueSize = static_cast<uint32_t>(UntilNul(View(v, e)).size());
            key.hasEquals = 1;
        } else {
            key.name = UntilNul(View(s, e));
            key.valueOffset = static_cast<uint32_t>(e - s);
            if (text[s] != ';' && text[s] != '#' && text[s] != '[')
                Note(Oddity::kNoEquals, at, key.name);
        }
        // A line with no name after another such line is dropped, as the platform drops it.
        if (equals == s && previousEmpty_ && linesInSection_ > 0) return;
        previousEmpty_ = key.name.empty();
        ++linesInSection_;
        // No name the program asks for starts with `;`: comment lines are not kept.
        if (text[s] == ';') return;
        script_.keys.push_back(key);
    }

  private:
    std::string_view View(size_t from, size_t to) const {
        return std::string_view(text_.data() + from, to - from);
    }

    void Note(Oddity::Kind kind, Position at, std::string_view text) {
        if (script_.oddities.size() < kMaxOddities)
            script_.oddities.push_back(Oddity{kind, at, text});
    }

    // NUL bytes and bytes outside ASCII, once per line and kind.
    void NoteBytes(size_t start, size_t end, int line) {
        if (script_.encoding != Encoding::kAnsi && script_.encoding != Encoding::kUtf8Bom) {
            size_t nul = FindIn(text_, '\0', start, end);
            if (nul < end) Note(Oddity::kNul, {line, static_cast<int>(nul - start) + 1}, {});
            return;
        }
        bool nul = false, high = false, utf8 = false;
        const unsigned char* p = reinterpret_cast<const unsigned char*>(text_.data());
        for (size_t i = start; i < end; ++i) {
            // Eight plain ASCII bytes at a time: no NUL and no high bit among them.
            while (i + 8 <= end) {
                uint64_t word;
                memcpy(&word, p + i, 8);
                const uint64_t ones = 0x0101010101010101ull;
                const uint64_t highs = 0x8080808080808080ull;
                if ((((word - ones) & ~word) | word) & highs) break;
                i += 8;
            }
            if (i >= end) break;
            if (p[i] != 0 && p[i] < 0x80) continue;
            Position at{line, static_cast<int>(i - start) + 1};
            if (p[i] == 0) {
                if (!nul) Note(Oddity::kNul, at, {});
                nul = true;
            } else {
                size_t n = Utf8Length(p + i, p + end);
                if (n > 0 && !utf8) {
                    utf8 = true;
                    Note(Oddity::kUtf8Sequence, at, View(i, i + n));
                } else if (n == 0 && !high) {
                    high = true;
                    Note(Oddity::kHighByte, at, View(i, i + 1));
                }
                if (n > 0) i += n - 1;
            }
            if (nul && high && utf8) return;
        }
    }

    ScriptFile& script_;
    const std::string& text_;
    std::vector<uint32_t>& firstKeys_;
    bool previousEmpty_ = false;
    size_t linesInSection_ = 0;
};

}  // namespace

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = UpperAscii(c);
    return upper;
}

ScriptFile ReadScript(std::string bytes) {
    ScriptFile script;
    if (bytes.size() >= 2 &&
        (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0)) {
        bool bigEndian = bytes[0] == '\xFE';
        script.encoding = bigEndian ? Encoding::kUtf16Be : Encoding::kUtf16Le;
        std::vector<Position> lost;
        std::string decoded = FromUtf16(bytes, bigEndian, &lost);
        for (const Position& at : lost) {
            if (script.oddities.size() < kMaxOddities)
                script.oddities.push_back(Oddity{Oddity::kNotAnsi, at, {}});
        }
        std::string().swap(bytes);
        bytes = std::move(decoded);
    } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        // Windows takes the mark for three characters of the first line.
        script.encoding = Encoding::kUtf8Bom;
    }
    script.text = std::make_unique<const std::string>(std::move(bytes));
    const std::string& text = *script.text;
    size_t n = text.size();

    // Room for a key on every line and a section at every '[' (a large script's memory is
    // claimed only as it is used), so that the arrays are never copied as they grow.
    size_t ends = Count(text, '\n') + Count(text, '\r');
    size_t brackets = Count(text, '[');
    std::vector<uint32_t> firstKeys(1, 0);
    script.keys.reserve(ends + 1);
    script.sections.reserve(brackets + 1);
    firstKeys.reserve(brackets + 1);
    script.sections.emplace_back();

    Parser parser(script, firstKeys);
    size_t i = 0;
    int line = 1;
    // The next CR and LF, each searched for again only once passed.
    size_t cr = FindIn(text, '\r', 0, n);
    size_t lf = FindIn(text, '\n', 0, n);
    while (i < n) {
        size_t start = i;
        if (cr < i) cr = FindIn(text, '\r', i, n);
        if (lf < i) lf = FindIn(text, '\n', i, n);
        i = std::min(cr, lf);
        parser.Line(start, i, line);
        if (i < n) {
            i += (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
            ++line;
        }
    }
    script.lineCount = line;

    for (size_t s = 0; s < script.sections.size(); ++s) {
        size_t last = s + 1 < firstKeys.size() ? firstKeys[s + 1] : script.keys.size();
        script.sections[s].keys.first = script.keys.data() + firstKeys[s];
        script.sections[s].keys.last = script.keys.data() + last;
    }
    auto nameOf = [&script](uint32_t s) { return script.sections[s].name; };
    script.sectionNames.Reset(script.sections.size());
    for (size_t s = 1; s < script.sections.size(); ++s) {
        uint32_t index = static_cast<uint32_t>(s);
        if (script.sectionNames.FirstOf(script.sections[s].name, index, nameOf) != index) continue;
        int number = CommandNumber(script.sections[s].name);
        if (number > 0) script.commands.emplace_back(number, index);
    }
    if (!std::is_sorted(script.commands.begin(), script.commands.end()))
        std::sort(script.commands.begin(), script.commands.end());
    return script;
}

const Section* FindSection(const ScriptFile& script, std::string_view name) {
    uint32_t s =
        script.sectionNames.Find(name, [&script](uint32_t i) { return script.sections[i].name; });
    return s == NameTable::kNone ? nullptr : &script.sections[s];
}

const Key* FindKeyIn(const Section* section, std::string_view name) {
    if (section == nullptr) return nullptr;
    for (const Key& key : section->keys) {
        if (EqualNoCase(key.name, name)) return &key;
    }
    return nullptr;
}

const Key* FindKey(const ScriptFile& script, std::string_view section, std::string_view name) {
    return FindKeyIn(FindSection(script, section), name);
}

std::string_view Delivered(std::string_view value, int size) {
    if (size <= 0) return {};
    bool quoted =
        value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    std::string_view text = quoted ? value.substr(1) : value;
    std::string_view out = text.substr(0, static_cast<size_t>(size - 1));
    // The closing quote is dropped from what was copied: when the value fills the buffer
    // exactly, that is its last character instead.
    if (quoted && static_cast<size_t>(size) >= text.size() && !out.empty()) out.remove_suffix(1);
    return out;
}

std::string ReadString(const ScriptFile& script, std::string_view section, std::string_view key,
                       int size) {
    const Key* found = FindKey(script, section, key);
    return found != nullptr && found->hasEquals ? Deliver(found->value(), size) : "";
}

int ParseInt(std::string_view value, int def, bool* numeric) {
    // The value is taken through a buffer of 30 characters, then read as the platform's
    // RtlUnicodeStringToInteger reads it with base 0.
    std::string_view text = Delivered(value, 30);
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

int ReadInt(const ScriptFile& script, std::string_view section, std::string_view key, int def) {
    const Key* found = FindKey(script, section, key);
    return found != nullptr && found->hasEquals ? ParseInt(found->value(), def) : def;
}

int CommandNumber(std::string_view name) {
    // No name longer than this is "COMMAND" and an int.
    if (name.size() > 64) return 0;
    return CommandSectionNumber(name.data(), static_cast<int>(name.size()));
}

int CommandsRun(const ScriptFile& script) {
    int count = ReadInt(script, kMainSection, kKeyNumberOfCommands, 0);
    if (count <= 0) return count;
    size_t names = 0;
    for (size_t s = 1; s < script.sections.size(); ++s) {
        if (!script.sections[s].name.empty()) names += script.sections[s].name.size() + 1;
    }
    // The names are read into kSectionNamesSize bytes; a list that fills it leaves the count.
    if (names >= static_cast<size_t>(kSectionNamesSize - 2)) return count;
    int highest = script.commands.empty() ? 0 : script.commands.back().first;
    return highest < count ? highest : count;
}

}  // namespace check
