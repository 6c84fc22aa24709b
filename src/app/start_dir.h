// Finding the start directory in the upper-cased command line. Pure text logic.
#pragma once

enum class StartDirFound { kNo, kWithDirectory, kBareName };

// Looks for `name` as a whole file name in `text` (at its start, or after a quote, '\', '/' or
// ':', and followed by the end, a quote or a blank). With a directory in front of it, `out` gets
// that directory without its trailing separator (a drive "D:" keeps its colon), cut to `size`.
StartDirFound FindStartDir(const char* text, const char* name, char* out, int size);
