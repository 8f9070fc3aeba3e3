// The heap of a short run on the host.
#ifndef ZUBA_APP_HOSTHEAP_H_
#define ZUBA_APP_HOSTHEAP_H_

namespace zuba::app {

// Arranges the C library's heap for a run that builds a machine's registry
// (tens of thousands of small blocks) and reads its files (megabytes at a
// time) once, and then ends: memory that is freed is kept for the next
// block instead of going back to the system, and the heap grows in large
// steps backed by huge pages where the host offers them, so the pages of a
// run fault in by the two megabytes instead of by the four kilobytes. Call
// first thing in main; harmless where the host offers none of it.
void ArrangeHeapForShortRun();

}  // namespace zuba::app

#endif  // ZUBA_APP_HOSTHEAP_H_
