// The findings in the forms CI services read: SARIF 2.1.0 for code-scanning tools, and GitHub's
// workflow commands that turn into annotations on the lines of a change.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "diagnostic.h"

namespace check {

// One SARIF log: the tool, one rule per check, one result per finding in `path`.
void WriteSarif(std::ostream& out, const std::string& path, const std::string& version,
                const std::vector<Diagnostic>& diagnostics);
// ::error|warning|notice file=PATH,line=L,col=C,title=CHECK::message, one a line.
void WriteGithub(std::ostream& out, const std::string& path,
                 const std::vector<Diagnostic>& diagnostics);

}  // namespace check
