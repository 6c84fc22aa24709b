// Splitting a text at the first occurrence of a delimiter.
#include "base/split_at_char.h"

#include "base/text.h"

int SplitAtChar(const char* text, char* first, int firstSize, char* rest, int restSize,
                char delimiter) {
    if (restSize > 0) rest[0] = '\0';
    int i = 0;
    while (text[i] != '\0' && text[i] != delimiter) ++i;
    TextCopyN(first, firstSize, text, i);
    if (text[i] == '\0') return 1;
    ++i;
    while (text[i] == ' ') ++i;
    TextCopy(rest, restSize, text + i);
    return 0;
}
