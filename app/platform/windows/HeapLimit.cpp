#include "app/platform/HeapLimit.h"

namespace orvane {

// Nothing to set: the Windows heap serves blocks this large straight from VirtualAlloc and
// gives them back to the system when they are freed.
void KeepHeapSmall() {}

}  // namespace orvane
