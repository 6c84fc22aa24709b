// The findings as GitHub's workflow commands, which a job's log turns into annotations.
#include <cstdint>
#include <cstring>

#include "report_ci.h"
#include "report_out.h"

namespace check {

namespace {

// Whether none of eight bytes needs an escape: none from 0x80 up, no `%`, CR or LF, and in a
// property no `:` or `,`.
bool Plain8(const char* p, bool property) {
    uint64_t x;
    memcpy(&x, p, 8);
    const uint64_t ones = 0x0101010101010101ull;
    const uint64_t highs = 0x8080808080808080ull;
    auto has = [&](char c) {
        uint64_t v = x ^ (ones * static_cast<unsigned char>(c));
        return (v - ones) & ~v & highs;
    };
    uint64_t found = (x & highs) | has('%') | has('\r') | has('\n');
    if (property) found |= has(':') | has(',');
    return found == 0;
}

// Written escaped as the runner reads a command: `%`, CR and LF always, `:` and `,` in a
// property too. A byte from 0x80 up is the character of that number, written in UTF-8. Runs
// that need no escape are written in one piece.
void Escaped(Out& out, std::string_view text, bool property) {
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        while (i + 8 <= text.size() && Plain8(text.data() + i, property)) i += 8;
        if (i == text.size()) break;
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c != '%' && c != '\r' && c != '\n' && c < 0x80 && (!property || (c != ':' && c != ',')))
            continue;
        out << text.substr(run, i - run);
        run = i + 1;
        if (c >= 0x80) {
            char utf8[2] = {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
            out << std::string_view(utf8, 2);
        } else {
            static const char digits[] = "0123456789ABCDEF";
            char escape[3] = {'%', digits[c >> 4], digits[c & 15]};
            out << std::string_view(escape, 3);
        }
    }
    out << text.substr(run);
}

}  // namespace

void WriteGithub(std::ostream& stream, const std::string& path,
                 const std::vector<Diagnostic>& diagnostics) {
    Out out(stream);
    for (const Diagnostic& d : diagnostics) {
        const char* command = d.severity == Severity::kError     ? "error"
                              : d.severity == Severity::kWarning ? "warning"
                                                                 : "notice";
        out << "::" << command << " file=";
        Escaped(out, path, true);
        out << ",line=" << d.line << ",col=" << d.column << ",title=tarnwick-check [";
        Escaped(out, d.check, true);
        out << "]::";
        Escaped(out, d.message, false);
        out << '\n';
    }
}

}  // namespace check
