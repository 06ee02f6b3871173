#include "platform/heap.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace platform {

namespace {

constexpr std::size_t kHugePage = 2u << 20;
// The C library's defaults for the end of the heap.
constexpr int kDefaultTopPad = 128 * 1024;
// The largest allocation that still comes from the heap rather than a
// mapping of its own (the C library's own upper limit).
constexpr int kMapThreshold = 32 * 1024 * 1024;
// Allocations that make the heap grow: below the threshold of mappings.
constexpr std::size_t kProbe = 64 * 1024;

}  // namespace

void PrepareHeap(std::size_t bytes) {
#if defined(__GLIBC__)
  if (bytes < kHugePage) return;
  // Freed room at the end stays, and large buffers of the work come from the
  // prepared room too instead of from fresh mappings.
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<std::size_t>(bytes * 2, 1u << 30)));
  mallopt(M_MMAP_THRESHOLD, kMapThreshold);
  const std::size_t top = mallinfo2().keepcost;
  if (top < bytes) {
    // The next growth of the heap takes all that is missing in one step.
    mallopt(M_TOP_PAD, static_cast<int>(std::min<std::size_t>(bytes - top + kHugePage, 1u << 30)));
    const char* end = static_cast<const char*>(::sbrk(0));
    std::vector<void*> probes;
    probes.reserve(top / kProbe + 2);
    while (static_cast<const char*>(::sbrk(0)) == end && probes.size() <= top / kProbe + 1)
      probes.push_back(std::malloc(kProbe));
    for (void* probe : probes) std::free(probe);
    mallopt(M_TOP_PAD, kDefaultTopPad);
  }
  // The free room at the end of the heap, whole huge pages of it.
  auto* end = static_cast<char*>(::sbrk(0));
  const std::size_t room = mallinfo2().keepcost;
  const auto first = (reinterpret_cast<std::uintptr_t>(end) - room + kHugePage - 1) & ~(kHugePage - 1);
  const auto last = reinterpret_cast<std::uintptr_t>(end) & ~(kHugePage - 1);
  if (last <= first) return;
  void* start = reinterpret_cast<void*>(first);
  ::madvise(start, last - first, MADV_HUGEPAGE);
  ::madvise(start, last - first, MADV_POPULATE_WRITE);
#else
  (void)bytes;
#endif
}

void ReleaseUnusedHeap() {
#if defined(__GLIBC__)
  malloc_trim(0);
  // As the C library sets it itself once large buffers come from the heap.
  mallopt(M_TRIM_THRESHOLD, 2 * kMapThreshold);
#endif
}

void ReleasePages(char* begin, std::size_t length) {
  static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto first = (reinterpret_cast<std::uintptr_t>(begin) + page - 1) & ~(page - 1);
  const auto last = (reinterpret_cast<std::uintptr_t>(begin) + length) & ~(page - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

}  // namespace platform
