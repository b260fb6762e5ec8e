#pragma once
// The queue abuse of a stand-in connector object (QueueAbuse), started when it is created.
#include "stand_in_registration.h"

namespace qv::testbed {

// Makes a hidden window on the calling thread and a watcher thread that, once this process
// has a child process, does what `abuse` says to the calling thread's queue. Only the first
// call of a process with an abuse other than None does anything.
void StartQueueAbuse(QueueAbuse abuse);

}  // namespace qv::testbed
