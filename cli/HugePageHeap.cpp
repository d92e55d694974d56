#include "HugePageHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QEN_HEAP_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QEN_HEAP_SANITIZED 1
#endif

void HugePageHeap::Reserve()
{
#if defined(__GLIBC__) && !defined(QEN_HEAP_SANITIZED)
    constexpr size_t kReserve = size_t(64) << 20;
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    // Arrays up to 32 MB come from the heap too, and freeing keeps the heap: the process is short.
    if (!mallopt(M_MMAP_THRESHOLD, 32 << 20) || !mallopt(M_TRIM_THRESHOLD, 256 << 20) || !mallopt(M_TOP_PAD, kReserve))
        return;
    // One allocation grows the heap by the reserve; its huge-page-aligned part gets the advice.
    void* probe = std::malloc(1 << 20);
    if (!probe)
        return;
    const auto lo = (reinterpret_cast<uintptr_t>(probe) + kHuge - 1) & ~(kHuge - 1);
    std::free(probe);
    const auto hi = reinterpret_cast<uintptr_t>(sbrk(0)) & ~(kHuge - 1);
    if (hi > lo)
        madvise(reinterpret_cast<void*>(lo), hi - lo, MADV_HUGEPAGE);
#endif
}
