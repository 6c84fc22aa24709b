// The command types of the script and the handler of each.
#pragma once

// A handler carries out one command, given the name of its section ("COMMAND7").
using CommandHandler = void (*)(const char* section);

// The handler for a COMMANDTYPE value, or nullptr for a type that does nothing.
CommandHandler HandlerForType(int type);
