// Fuzz target: the path macro substitution, with texts of every length around its arrays.
#include "base/text.h"
#include "fuzz_input.h"
#include "script/substitute_macros.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int outSize = TakeSize(data, size, 520);
    size_t tempLen = size > 0 ? *data++ % 64 : 0;
    if (size > 0) --size;
    // The temporary directory and the drive take the input's first bytes, the value the rest.
    std::vector<char> temp = InputText(data, size, tempLen);
    size_t used = temp.size() - 1;
    data += used;
    size -= used;
    std::vector<char> drive = InputText(data, size, 3);
    used = drive.size() - 1;
    data += used;
    size -= used;
    std::vector<char> input = InputText(data, size, 259);
    std::vector<char> out(static_cast<size_t>(outSize));
    SubstituteMacros(input.data(), temp.data(), drive.data(), out.data(), outSize);
    if (TextLen(out.data()) >= outSize) __builtin_trap();
    return 0;
}
