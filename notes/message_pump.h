// Serving the thread's message queue from inside a long operation.
#pragma once

namespace notes {

// Serves the calling thread's queued messages until the queue is empty. A request to end the
// program (WM_QUIT) is not swallowed: it is posted again, so the program's own message loop still
// ends once the operation has returned.
void PumpMessages();

}  // namespace notes
