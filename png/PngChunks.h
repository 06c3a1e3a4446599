#pragma once
// PNG chunks as the palette writer lays them out: whole chunks, and the zlib stream cut into
// IDAT chunks of 8192 bytes as it is made, so it is never copied.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "deflate/RleDeflate.h"

namespace orvane {

// Appends a whole chunk: length, type, data, CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              std::span<const std::uint8_t> data);

// A chunk is opened only when there are bytes for it, and sealed (length, CRC) when full or
// at the end.
class IdatWriter final : public DeflateOut {
  public:
    explicit IdatWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    std::span<std::uint8_t> Room() override;
    void Wrote(std::size_t n) override { filled_ += n; }
    void Seal();

  private:
    void Open();

    std::vector<std::uint8_t>& out_;
    std::size_t start_ = 0;
    std::size_t filled_ = 0;
    bool open_ = false;
};

}  // namespace orvane
