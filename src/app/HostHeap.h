// The C library's heap of the program on the host.
#ifndef ZUBA_APP_HOSTHEAP_H_
#define ZUBA_APP_HOSTHEAP_H_

namespace zuba::app {

// Arranges the C library's heap for the program on the simulated machine,
// whose start builds the machine's registry (tens of thousands of small
// blocks) and reads its files (megabytes at a time): memory that is freed
// is kept for the next block instead of going back to the system (the
// program's peak is some tens of megabytes), and the heap grows in large
// steps backed by huge pages where the host offers them, so that its pages
// fault in by the two megabytes instead of by the four kilobytes. Call
// first thing in main; harmless where the host offers none of it.
void ArrangeHostHeap();

}  // namespace zuba::app

#endif  // ZUBA_APP_HOSTHEAP_H_
