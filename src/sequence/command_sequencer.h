// Carrying out the script's numbered commands in order.
#pragma once

// Reads NUMBEROFCOMMANDS and hands COMMAND1, COMMAND2, ... in turn to their handlers.
void RunCommandList();
