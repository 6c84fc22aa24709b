// The command types of the script and the handler of each.
#pragma once

#include <windows.h>

// A handler carries out one command, given the name of its section ("COMMAND7"), and returns its
// result: 0 when the state it asks for holds afterwards, else the Windows error of the call that
// failed; for a type 1 command, the started program's exit code.
using CommandHandler = DWORD (*)(const char* section);

// The handler for a COMMANDTYPE value, or nullptr for a type that does nothing.
CommandHandler HandlerForType(int type);
