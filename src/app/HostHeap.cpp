#include "app/HostHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace zuba::app {
namespace {

constexpr std::size_t kMiB = 1024 * 1024;
// The heap grows by at least this much at a time.
constexpr std::size_t kGrowth = 64 * kMiB;
constexpr std::uintptr_t kHugePage = 2 * kMiB;

}  // namespace

void ArrangeHostHeap() {
  // Blocks of up to 32 MB (a settings file, a hive's text) come from the
  // heap too, and nothing is trimmed: a block freed is the next one's.
  mallopt(M_MMAP_THRESHOLD, 32 * kMiB);
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(1024 * kMiB));
  mallopt(M_TOP_PAD, static_cast<int>(kGrowth));
  // Grow the heap now by a whole step and ask for huge pages in it; the
  // memory is only reserved, a page is made when first touched.
  auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
  void* volatile block = std::malloc(kMiB);  // volatile: kept, not optimised away
  std::free(block);
  auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::uintptr_t start = (before + kHugePage - 1) & ~(kHugePage - 1);
  if (after > start + kHugePage) {
    madvise(reinterpret_cast<void*>(start), after - start, MADV_HUGEPAGE);
  }
}

}  // namespace zuba::app
