#pragma once
// Starting one process on a worker thread while the GUI thread keeps its windows alive.
#include "launcher/launch_request.h"

namespace qv::win32 {

// The worker: creates the process (application name, writable command line, no inheritance,
// CREATE_NO_WINDOW only, the caller's environment) and waits for it without a time-out.
// Returns 1 when given no request, 0 otherwise, whether or not the process could be created.
unsigned LaunchThreadProc(const LaunchRequest* request);

// Runs LaunchThreadProc on a worker thread and returns only after the worker has ended.
// Meanwhile the calling thread sleeps until a message arrives and dispatches the pending
// messages, looking for the worker's end between them, so its windows stay painted and the
// wait ends as soon as the worker does. A drain lasts at most a millisecond and is followed by
// a rest in proportion to it (WaitPacing), so a queue that never empties costs a bounded share
// of a core. A WM_QUIT met while waiting is taken off the queue and dropped.
void RunLaunchRequest(const LaunchRequest& request);

}  // namespace qv::win32
