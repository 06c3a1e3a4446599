#include "png/PngChunks.h"

#include <cstring>

#include "core/BigEndian.h"
#include "core/Crc32.h"

namespace orvane {
namespace {

constexpr std::size_t kIdatBytes = 8192;  // the data of every IDAT chunk but the last

}  // namespace

// The CRC of a chunk's type and data, which lie at `p` on.
std::uint32_t ChunkCrc(const std::uint8_t* p, std::size_t bytes) {
    return static_cast<std::uint32_t>(Crc32(std::span(p, bytes)));
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              std::span<const std::uint8_t> data) {
    const std::size_t start = out.size();
    out.resize(start + 12 + data.size());
    std::uint8_t* p = out.data() + start;
    PutBigEndian32(p, static_cast<std::uint32_t>(data.size()));
    std::memcpy(p + 4, type, 4);
    if (!data.empty()) std::memcpy(p + 8, data.data(), data.size());
    PutBigEndian32(p + 8 + data.size(), ChunkCrc(p + 4, data.size() + 4));
}

std::span<std::uint8_t> IdatWriter::Room() {
    if (!open_ || filled_ == kIdatBytes) Open();
    return {out_.data() + start_ + 8 + filled_, kIdatBytes - filled_};
}

void IdatWriter::Seal() {
    if (!open_) return;
    out_.resize(start_ + 8 + filled_ + 4);
    std::uint8_t* p = out_.data() + start_;
    PutBigEndian32(p, static_cast<std::uint32_t>(filled_));
    PutBigEndian32(p + 8 + filled_, ChunkCrc(p + 4, filled_ + 4));
    open_ = false;
}

void IdatWriter::Open() {
    Seal();
    start_ = out_.size();
    out_.resize(start_ + 8 + kIdatBytes);
    std::memcpy(out_.data() + start_ + 4, "IDAT", 4);
    filled_ = 0;
    open_ = true;
}

}  // namespace orvane
