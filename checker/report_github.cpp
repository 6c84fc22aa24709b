// The findings as GitHub's workflow commands, which a job's log turns into annotations.
#include "report_ci.h"

namespace check {

namespace {

// Escaped as the runner reads a command: `%`, CR and LF always, `:` and `,` in a property too.
// A byte from 0x80 up is the character of that number, written in UTF-8.
std::string Escaped(const std::string& text, bool property) {
    std::string out;
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == '%') {
            out += "%25";
        } else if (c == '\r') {
            out += "%0D";
        } else if (c == '\n') {
            out += "%0A";
        } else if (property && c == ':') {
            out += "%3A";
        } else if (property && c == ',') {
            out += "%2C";
        } else if (c >= 0x80) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace

void WriteGithub(std::ostream& out, const std::string& path,
                 const std::vector<Diagnostic>& diagnostics) {
    std::string file = Escaped(path, true);
    for (const Diagnostic& d : diagnostics) {
        const char* command = d.severity == Severity::kError     ? "error"
                              : d.severity == Severity::kWarning ? "warning"
                                                                 : "notice";
        out << "::" << command << " file=" << file << ",line=" << d.line << ",col=" << d.column
            << ",title=" << Escaped("tarnwick-check [" + d.check + "]", true)
            << "::" << Escaped(d.message, false) << '\n';
    }
}

}  // namespace check
