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
// messages (looking for the worker's end between them; a queue that never empties gets a
// bounded number per short pause), so its windows stay painted and the wait always ends. A WM_QUIT seen while
// waiting is posted again on return.
void RunLaunchRequest(const LaunchRequest& request);

}  // namespace qv::win32
