// Command type 1: start a program and wait for it, optionally under the status window and
// until a hand-off installer's window has closed.
#pragma once

// Carries out the type 1 command in `section`; returns when the command has finished.
void RunProgram(const char* section);
