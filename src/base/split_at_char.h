// Splitting a text at the first occurrence of a delimiter. Pure text logic.
#pragma once

// `first` gets the text up to the delimiter; `rest` what follows it, less the blanks right after
// it. Both are cut to their sizes. Returns 1 when the text holds no delimiter, else 0.
int SplitAtChar(const char* text, char* first, int firstSize, char* rest, int restSize,
                char delimiter);
