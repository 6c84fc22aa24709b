// Fuzz target: the program's reading of its own command line (arguments, options, drives).
#include "app/command_line.h"
#include "base/text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int outSize = TakeSize(data, size, 260);
    std::vector<char> cmd = InputText(data, size, 1299);
    int offset = ArgumentsOffset(cmd.data());
    if (offset < 0 || static_cast<size_t>(offset) >= cmd.size()) __builtin_trap();
    const char* args = cmd.data() + offset;
    bool flags = HasOption(args, "/d") || HasOption(args, "/R") || HasOption(args, "/x");
    (void)flags;

    std::vector<char> masked(cmd.begin() + offset, cmd.end());
    MaskOptionValues(masked.data());
    if (TextLen(masked.data()) != TextLen(args)) __builtin_trap();
    std::vector<char> logPath(static_cast<size_t>(outSize));
    if (LogPathOf(masked.data(), args, logPath.data(), outSize) == LogOption::kGiven &&
        TextLen(logPath.data()) >= outSize)
        __builtin_trap();

    std::vector<char> drive(static_cast<size_t>(outSize));
    DriveFromProgramPath(cmd.data(), "C:\\WORK", drive.data(), outSize);
    TextUpperAscii(cmd.data());
    TextUpperAscii(masked.data());
    DriveFromCdOption(masked.data(), cmd.data() + offset, drive.data(), outSize);
    if (TextLen(drive.data()) >= outSize) __builtin_trap();
    return 0;
}
