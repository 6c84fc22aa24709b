// The memory routines the compiler may emit calls to; the shipped exe has no C runtime.
#include <stddef.h>

extern "C" void* memset(void* dst, int value, size_t count) {
    unsigned char* d = static_cast<unsigned char*>(dst);
    while (count-- > 0) *d++ = static_cast<unsigned char>(value);
    return dst;
}

extern "C" void* memcpy(void* dst, const void* src, size_t count) {
    unsigned char* d = static_cast<unsigned char*>(dst);
    const unsigned char* s = static_cast<const unsigned char*>(src);
    while (count-- > 0) *d++ = *s++;
    return dst;
}
