#pragma once
// How the C library's allocator holds on to freed memory. One of the few calls that differ
// between operating systems.

namespace orvane {

// Map-size pictures come from the system and go back to it when freed, instead of staying in
// the heap, where pictures of different sizes from map to map and thread to thread leave holes
// that the process keeps. Call once before the first map; later calls do nothing.
void KeepHeapSmall();

}  // namespace orvane
