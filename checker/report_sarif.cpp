// The findings as one SARIF 2.1.0 log, one rule per check, one line per rule and per result.
#include <string_view>

#include "check_rules.h"
#include "report_ci.h"
#include "report_out.h"

namespace check {

namespace {

const char kSchema[] =
    "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";

// The script's path as a URI reference: `/` between levels, an absolute path as a file: URI,
// every byte but the unreserved ones percent-encoded (a byte from 0x80 up as the UTF-8 of the
// character of that number, as the JSON texts have it).
std::string Uri(const std::string& path) {
    static const char* digits = "0123456789ABCDEF";
    std::string slashed = path;
    for (char& c : slashed) c = c == '\\' ? '/' : c;
    std::string uri;
    size_t from = 0;
    if (slashed.size() > 1 && slashed[1] == ':') {
        uri = "file:///" + slashed.substr(0, 2);
        from = 2;
    } else if (slashed.compare(0, 2, "//") == 0) {
        uri = "file:";
    } else if (!slashed.empty() && slashed[0] == '/') {
        uri = "file://";
    }
    auto encode = [&](unsigned char b) {
        uri += '%';
        uri += digits[b >> 4];
        uri += digits[b & 15];
    };
    for (size_t i = from; i < slashed.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(slashed[i]);
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            uri += static_cast<char>(c);
        } else if (c >= 0x80) {
            encode(static_cast<unsigned char>(0xC0 | c >> 6));
            encode(static_cast<unsigned char>(0x80 | (c & 0x3F)));
        } else {
            encode(c);
        }
    }
    return uri;
}

const char* Level(Severity severity) {
    return severity == Severity::kError     ? "error"
           : severity == Severity::kWarning ? "warning"
                                            : "note";
}

}  // namespace

void WriteSarif(std::ostream& stream, const std::string& path, const std::string& version,
                const std::vector<Diagnostic>& diagnostics) {
    // Every check as a rule; a finding of a check missing from the table still gets one.
    const std::vector<CheckRule>& rules = CheckRules();
    std::vector<std::string_view> extra;
    auto indexOf = [&rules, &extra](std::string_view check) {
        for (size_t i = 0; i < rules.size(); ++i) {
            if (check == rules[i].id) return i;
        }
        for (size_t i = 0; i < extra.size(); ++i) {
            if (check == extra[i]) return rules.size() + i;
        }
        return rules.size() + extra.size();
    };
    for (const Diagnostic& d : diagnostics) {
        if (indexOf(d.check) == rules.size() + extra.size()) extra.push_back(d.check);
    }
    Out out(stream);
    out << "{\n  \"$schema\": ";
    out.Json(kSchema)
        << ",\n  \"version\": \"2.1.0\",\n"
        << "  \"runs\": [{\n    \"tool\": {\"driver\": {\"name\": \"tarnwick-check\", "
        << "\"version\": ";
    out.Json(version) << ", \"rules\": [";
    for (size_t i = 0; i < rules.size() + extra.size(); ++i) {
        const char* id = i < rules.size() ? rules[i].id : nullptr;
        std::string_view name = id != nullptr ? std::string_view(id) : extra[i - rules.size()];
        out << (i == 0 ? "\n" : ",\n") << "      {\"id\": ";
        out.Json(name) << ", \"shortDescription\": {\"text\": ";
        out.Json(id != nullptr ? rules[i].shortText : name)
            << "}, \"fullDescription\": {\"text\": ";
        out.Json(id != nullptr ? rules[i].fullText : name) << "}}";
    }
    out << "]}},\n    \"columnKind\": \"unicodeCodePoints\",\n    \"results\": [";
    std::string uri = Uri(path);
    for (size_t i = 0; i < diagnostics.size(); ++i) {
        const Diagnostic& d = diagnostics[i];
        out << (i == 0 ? "\n" : ",\n") << "      {\"ruleId\": ";
        out.Json(d.check) << ", \"ruleIndex\": " << indexOf(d.check) << ", \"level\": \""
                          << Level(d.severity) << "\", \"message\": {\"text\": ";
        out.Json(d.message) << "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": "
                               "{\"uri\": ";
        out.Json(uri) << "}, \"region\": {\"startLine\": " << d.line
                      << ", \"startColumn\": " << d.column << "}}}]}";
    }
    out << (diagnostics.empty() ? "]\n  }]\n}\n" : "\n    ]\n  }]\n}\n");
}

}  // namespace check
