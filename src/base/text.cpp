// Bounded helpers for zero-terminated 8-bit texts.
#include "base/text.h"

int TextLen(const char* text) {
    int n = 0;
    while (text[n] != '\0') ++n;
    return n;
}

int TextCopyN(char* dst, int size, const char* src, int count) {
    if (size <= 0) return 0;
    int n = 0;
    while (n < size - 1 && src[n] != '\0' && (count < 0 || n < count)) {
        dst[n] = src[n];
        ++n;
    }
    dst[n] = '\0';
    return n;
}

int TextCopy(char* dst, int size, const char* src) { return TextCopyN(dst, size, src, -1); }

int TextAppendN(char* dst, int size, const char* src, int count) {
    if (size <= 0) return 0;
    int len = 0;
    while (len < size - 1 && dst[len] != '\0') ++len;
    return len + TextCopyN(dst + len, size - len, src, count);
}

int TextAppend(char* dst, int size, const char* src) { return TextAppendN(dst, size, src, -1); }

int TextAppendInt(char* dst, int size, int value) {
    char digits[12];
    int n = 0;
    // Work on the negative side so that the smallest int needs no special case.
    int v = value < 0 ? value : -value;
    do {
        digits[n++] = static_cast<char>('0' - v % 10);
        v /= 10;
    } while (v != 0);
    char text[13];
    int t = 0;
    if (value < 0) text[t++] = '-';
    while (n > 0) text[t++] = digits[--n];
    text[t] = '\0';
    return TextAppend(dst, size, text);
}

const char* TextFind(const char* text, const char* needle) {
    for (const char* start = text;; ++start) {
        int i = 0;
        while (needle[i] != '\0' && start[i] == needle[i]) ++i;
        if (needle[i] == '\0') return start;
        if (*start == '\0') return nullptr;
    }
}

void TextUpperAscii(char* text) {
    for (; *text != '\0'; ++text) {
        if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
    }
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
