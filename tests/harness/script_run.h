// Running a script from a disc made read-only like a real one, and the test's own places in
// the registry and in the temporary directory.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "harness/harness.h"

namespace harness {

// Writes `script` to the disc, installs the exe there as TARNWICK.EXE, marks every file on the
// disc read-only, and runs the exe with `options` appended to its quoted path.
RunResult RunScript(const Disc& disc, const std::string& script, const std::string& options = "");

// Marks every file in the folder `path` and below read-only. Wine keeps the attribute as the
// missing write bits of the Unix file.
void MakeFilesReadOnly(const std::string& path);

// The running test's own key below HKEY_LOCAL_MACHINE: Software\TarnwickTests\<case>.
std::string TestKey();

// The running test's own folder in the temporary directory: <temp>\<case>. Not created.
std::string TestTempDir();

// A placeholder of a script and the text it stands for.
using Fill = std::pair<std::string, std::string>;

// `script` with every "$KEY" replaced by TestKey(), every "$CASE" by the test's name and the
// placeholders of `more` (such as {"$LOG", log}) by their texts, so that a script is written out
// as a raw literal next to its expectations.
std::string ForThisTest(std::string script, const std::vector<Fill>& more = {});

}  // namespace harness
