// Fuzz target: finding the start directory in an upper-cased command line.
#include "app/start_dir.h"
#include "base/text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int outSize = TakeSize(data, size, 260);
    std::vector<char> text = InputText(data, size, 1299);
    TextUpperAscii(text.data());
    std::vector<char> out(static_cast<size_t>(outSize));
    StartDirFound found = FindStartDir(text.data(), "TARNWICK.EXE", out.data(), outSize);
    if (found != StartDirFound::kWithDirectory && out[0] != '\0') __builtin_trap();
    if (TextLen(out.data()) >= outSize) __builtin_trap();
    return 0;
}
