#pragma once
// The thread's error object, where the platform keeps one.

namespace audiogram::com {

// Takes the thread's error object, if there is one, and drops it: a host's error object must
// not look like one of ours after a host call failed.
void DiscardThreadErrorInfo();

}  // namespace audiogram::com
