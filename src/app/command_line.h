// Reading the program's own command line: where its arguments start, its options, and the
// drive that "%CURRENTDRIVE%" stands for. Pure text logic, no platform calls.
#pragma once

// Offset of the arguments: the text after the program's own path (the quoted first token, or
// everything up to the first blank or tab). Options are looked for only from there on.
int ArgumentsOffset(const char* cmdLine);

// The program's own path, the first token of the command line without its quotes, cut to `size`.
void ProgramPathOf(const char* cmdLine, char* out, int size);

// Plain substring search for an option anywhere in the arguments.
bool HasOption(const char* args, const char* option);

// The drive of the program's own path, "X:" in upper case, from the command line. When the path
// does not begin with a letter and a colon (a bare name or a relative path), the drive of
// `currentDir` is taken instead if it has one; otherwise the path's first character and a colon.
void DriveFromProgramPath(const char* cmdLine, const char* currentDir, char* out, int size);

// Blanks out, in place, the values of the options that take one, so that no value is read as
// another option (a log at C:/data/x.log is no /d): the path of /l: (up to a blank or tab, or
// within the quotes that follow it) and the two characters of /cd:, in either case. Each value
// keeps its place, so a position in the masked text is the same in the original.
void MaskOptionValues(char* args);

// Option /l: in the arguments, in either case, found where it stands in `masked` (the same
// arguments after MaskOptionValues): its path, taken from `args` without quotes, into `out`.
// Returns kAbsent without the option, kBad when the path is empty or does not fit `size`, else
// kGiven.
enum class LogOption { kAbsent, kGiven, kBad };
LogOption LogPathOf(const char* masked, const char* args, char* out, int size);

// Option /CD: in the upper-cased arguments: the (up to) two characters that follow its first
// occurrence in `upperMasked` (the same arguments after MaskOptionValues), taken from `upperArgs`
// as they stand. Returns false, leaving `out` alone, when the option is absent.
bool DriveFromCdOption(const char* upperMasked, const char* upperArgs, char* out, int size);
