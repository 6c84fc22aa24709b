// Shared by the fuzz targets: turns the fuzzer's bytes into texts and exact-size buffers, so
// that AddressSanitizer catches a write one byte past an array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// A zero-terminated copy of the input, at most `limit` bytes long (a NUL inside ends it early,
// as it would for the program).
inline std::vector<char> InputText(const uint8_t* data, size_t size, size_t limit) {
    size_t n = size < limit ? size : limit;
    std::vector<char> text(data, data + n);
    text.push_back('\0');
    return text;
}

// Takes one byte off the front of the input for a buffer size between 1 and 256 (or the
// program's real size when the byte is 0).
inline int TakeSize(const uint8_t*& data, size_t& size, int realSize) {
    if (size == 0) return realSize;
    int b = *data++;
    --size;
    return b == 0 ? realSize : b;
}
