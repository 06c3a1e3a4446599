#include "app/platform/HeapLimit.h"

#include <mutex>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace orvane {

void KeepHeapSmall() {
#if defined(__GLIBC__)
    static std::once_flag once;
    std::call_once(once, [] {
        // A fixed threshold also stops glibc from raising it to the size of the last freed
        // block, which would put every later picture into the heap for good.
        constexpr int kPicture = 1 << 20;
        mallopt(M_MMAP_THRESHOLD, kPicture);
        mallopt(M_TRIM_THRESHOLD, 4 * kPicture);
    });
#endif
}

}  // namespace orvane
