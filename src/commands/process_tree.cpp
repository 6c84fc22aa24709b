// A program and every process it starts in turn, held together in a job object. The job entry
// points are looked up at run time: Windows 95, 98, ME and NT 4 have none.
#include "commands/process_tree.h"

#include "base/system_library.h"

bool OpenProcessTree(ProcessTree* tree) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    tree->job = nullptr;
    tree->port = nullptr;
    tree->ended = false;
    tree->assign = TYPED_ENTRY_POINT(kernel, AssignProcessToJobObject);
    tree->readPort = TYPED_ENTRY_POINT(kernel, GetQueuedCompletionStatus);
    auto createJob = TYPED_ENTRY_POINT(kernel, CreateJobObjectA);
    auto createPort = TYPED_ENTRY_POINT(kernel, CreateIoCompletionPort);
    auto setInformation = TYPED_ENTRY_POINT(kernel, SetInformationJobObject);
    // The job entry points came with Windows 2000, which has the port's since NT 3.5: where the
    // last of them is found, so are the others. A job or a port that could not be made fails
    // the association.
    if (setInformation == nullptr) return false;
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT link;
    link.CompletionKey = tree->job = createJob(nullptr, nullptr);
    link.CompletionPort = tree->port = createPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    if (setInformation(tree->job, JobObjectAssociateCompletionPortInformation, &link,
                       sizeof(link))) {
        return true;
    }
    CloseProcessTree(tree);
    return false;
}

bool AddToTree(ProcessTree* tree, HANDLE process) {
    return tree->assign(tree->job, process) != FALSE;
}

bool TreeEnded(ProcessTree* tree) {
    DWORD message;
    ULONG_PTR key;
    LPOVERLAPPED detail;
    while (!tree->ended && tree->readPort(tree->port, &message, &key, &detail, 0)) {
        tree->ended = message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO;
    }
    return tree->ended;
}

void CloseProcessTree(ProcessTree* tree) {
    // The job has no limit that ends its processes when it is closed.
    if (tree->job != nullptr) /* ok = */
        CloseHandle(tree->job);
    if (tree->port != nullptr) /* ok = */
        CloseHandle(tree->port);
    tree->job = nullptr;
    tree->port = nullptr;
}
