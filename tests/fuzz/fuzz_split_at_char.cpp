// Fuzz target: splitting a text at a delimiter into two bounded outputs.
#include "base/split_at_char.h"
#include "base/text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int firstSize = TakeSize(data, size, 260);
    int restSize = TakeSize(data, size, 260);
    char delimiter = size > 0 ? static_cast<char>(*data) : '"';
    std::vector<char> text = InputText(data, size, 1299);
    std::vector<char> first(static_cast<size_t>(firstSize));
    std::vector<char> rest(static_cast<size_t>(restSize));
    int result =
        SplitAtChar(text.data(), first.data(), firstSize, rest.data(), restSize, delimiter);
    if (result == 1 && rest[0] != '\0') __builtin_trap();
    if (TextLen(first.data()) >= firstSize || TextLen(rest.data()) >= restSize) __builtin_trap();
    return 0;
}
