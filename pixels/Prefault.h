#pragma once
// Pages of new picture buffers made ready on a helper thread. The system clears a page when it
// is first written: for a map-size canvas in small pages that is several milliseconds, which
// the drawing thread would otherwise spend while the second core is idle.
#include <cstddef>

namespace orvane::pixels {

// Starts making the pages of [data, data + bytes) ready in the background, the last first;
// their contents stay zero. Does nothing where the system cannot be asked.
void PrefaultLater(void* data, std::size_t bytes);

// Stops the background work on `data`, returning once nothing touches it any more: called
// before the buffer is given back.
void ForgetPrefault(void* data) noexcept;

}  // namespace orvane::pixels
