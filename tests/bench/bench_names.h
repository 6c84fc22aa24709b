// Names for the directory benchmark's programs: its 1,000 folders and its command sections.
#pragma once

constexpr int kBenchDirs = 1000;

// `prefix` followed by the decimal form of `n` (n >= 0) into `out`, which must be large enough.
inline void NumberedName(char* out, const char* prefix, int n) {
    int len = 0;
    for (; prefix[len] != '\0'; ++len) out[len] = prefix[len];
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (count > 0) out[len++] = digits[--count];
    out[len] = '\0';
}

// "C:\tarnbench\dirs\d<n>" into `out` (32 bytes).
inline void BenchDirName(char* out, int n) { NumberedName(out, "C:\\tarnbench\\dirs\\d", n); }
