#include "canvas/PngChunks.h"

#include <zlib.h>

#include <cstring>

namespace orvane {
namespace {

constexpr std::size_t kIdatBytes = 8192;  // the data of every IDAT chunk but the last

}  // namespace

void PutBe32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              std::span<const std::uint8_t> data) {
    const std::size_t start = out.size();
    out.resize(start + 12 + data.size());
    std::uint8_t* p = out.data() + start;
    PutBe32(p, static_cast<std::uint32_t>(data.size()));
    std::memcpy(p + 4, type, 4);
    if (!data.empty()) std::memcpy(p + 8, data.data(), data.size());
    PutBe32(p + 8 + data.size(), static_cast<std::uint32_t>(crc32(0, p + 4, data.size() + 4)));
}

std::span<std::uint8_t> IdatWriter::Room() {
    if (!open_ || filled_ == kIdatBytes) Open();
    return {out_.data() + start_ + 8 + filled_, kIdatBytes - filled_};
}

void IdatWriter::Seal() {
    if (!open_) return;
    out_.resize(start_ + 8 + filled_ + 4);
    std::uint8_t* p = out_.data() + start_;
    PutBe32(p, static_cast<std::uint32_t>(filled_));
    PutBe32(p + 8 + filled_, static_cast<std::uint32_t>(crc32(0, p + 4, filled_ + 4)));
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
