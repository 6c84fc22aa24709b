// Bounded helpers for zero-terminated 8-bit texts; no platform calls, no allocation.
#pragma once

// Length of a text, not counting its terminating zero.
int TextLen(const char* text);

// Copies at most `count` characters of `src` (or all of it when count < 0) into `dst` of `size`
// bytes, always terminating; returns the number of characters copied. Nothing is written when
// size is 0.
int TextCopyN(char* dst, int size, const char* src, int count);
int TextCopy(char* dst, int size, const char* src);

// Appends `src` to the text already in `dst`, cut to fit; returns the new length.
int TextAppend(char* dst, int size, const char* src);
int TextAppendN(char* dst, int size, const char* src, int count);

// Writes the decimal form of `value` after the text in `dst`; returns the new length.
int TextAppendInt(char* dst, int size, int value);

// First occurrence of `needle` in `text`, case-exact, or nullptr. An empty needle is found at once.
const char* TextFind(const char* text, const char* needle);

// Upper-cases the ASCII letters a to z in place; every other byte stays as it is.
void TextUpperAscii(char* text);

// True when the byte is an ASCII letter.
bool IsAsciiLetter(char c);
