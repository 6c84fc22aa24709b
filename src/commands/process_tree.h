// A program and every process it starts in turn, held together in a job object whose completion
// port says when the last of them has ended.
#pragma once

#include <windows.h>

struct ProcessTree {
    HANDLE job;
    HANDLE port;  // the job's news: processes joining, leaving, none left
    decltype(&::AssignProcessToJobObject) assign;
    decltype(&::GetQueuedCompletionStatus) readPort;
    bool ended;  // the port has said that no process is left
};

// Makes the job and its port; false where the system has no job objects (Windows 95, 98, ME,
// NT 4), and then nothing is held.
bool OpenProcessTree(ProcessTree* tree);

// Puts a started process (still suspended, so that nothing it starts escapes) into the tree;
// false when it cannot go in, as when this program itself runs in a job that holds no nested
// one (before Windows 8).
bool AddToTree(ProcessTree* tree, HANDLE process);

// Reads what the port has to say without waiting; true once no process of the tree is left.
bool TreeEnded(ProcessTree* tree);

// Lets go of the job and its port; processes still in the tree keep running.
void CloseProcessTree(ProcessTree* tree);
