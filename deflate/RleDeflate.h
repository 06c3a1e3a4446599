#pragma once
// The raw deflate stream of every map file: zlib at the settings of DeflateSettings.h. Our own
// deflate (RunDeflate.h) makes the same stream faster for pictures of at most 144 colours, all
// maps; zlib writes the others.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "pixels/PixelAllocator.h"

namespace orvane {

// Where a deflate stream goes: free room to write into, then how much of it was used.
class DeflateOut {
  public:
    virtual std::span<std::uint8_t> Room() = 0;
    virtual void Wrote(std::size_t n) = 0;
    void Put(std::span<const std::uint8_t> bytes);

  protected:
    ~DeflateOut() = default;
};

// Grows as a stream is written into it.
class BufferOut final : public DeflateOut {
  public:
    // With room for `expected` bytes at once: room of a picture's size comes in large pages,
    // and fresh memory touched a small page at a time is slow on virtual machines.
    explicit BufferOut(std::size_t expected = 0) { bytes_.reserve(expected); }
    std::span<std::uint8_t> Room() override;
    void Wrote(std::size_t n) override { used_ += n; }
    std::span<const std::uint8_t> Bytes() const { return {bytes_.data(), used_}; }

  private:
    UnzeroedBuffer<std::uint8_t> bytes_;  // grown without zeroing
    std::size_t used_ = 0;
};

// A raw deflate stream (no zlib header or checksum). RunError when zlib fails.
class RleDeflater {
  public:
    explicit RleDeflater(DeflateOut& out);
    ~RleDeflater() { deflateEnd(&z_); }
    RleDeflater(const RleDeflater&) = delete;
    RleDeflater& operator=(const RleDeflater&) = delete;

    // Deflate keeps what it cannot match yet, so the stream does not depend on how the input is
    // cut into calls.
    void Add(std::span<const std::uint8_t> bytes);
    void Finish();

  private:
    int Step(int flush);

    DeflateOut& out_;
    z_stream z_{};
};

}  // namespace orvane
