#include "deflate/RleDeflate.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/RunError.h"
#include "deflate/DeflateSettings.h"

namespace orvane {
namespace {

[[noreturn]] void Fail(const char* step, const z_stream& z) {
    throw RunError(std::string("PNG export failed (") + step +
                   "): " + (z.msg ? z.msg : "deflate error"));
}

}  // namespace

void DeflateOut::Put(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const std::span<std::uint8_t> room = Room();
        const std::size_t n = std::min(room.size(), bytes.size());
        std::memcpy(room.data(), bytes.data(), n);
        Wrote(n);
        bytes = bytes.subspan(n);
    }
}

std::span<std::uint8_t> BufferOut::Room() {
    if (used_ == bytes_.size())
        bytes_.resize(std::max({bytes_.size() * 2, bytes_.capacity(), std::size_t{1} << 16}));
    return std::span(bytes_).subspan(used_);
}

RleDeflater::RleDeflater(DeflateOut& out) : out_(out) {
    // Negative window bits: a raw deflate stream; the PNG writer adds the header and checksum.
    if (deflateInit2(&z_, deflate::kLevel, Z_DEFLATED, -deflate::kWindowBits, deflate::kMemLevel,
                     deflate::kStrategy) != Z_OK)
        Fail("deflate init", z_);
}

void RleDeflater::Add(std::span<const std::uint8_t> bytes) {
    z_.next_in = const_cast<Bytef*>(bytes.data());
    z_.avail_in = static_cast<uInt>(bytes.size());
    while (z_.avail_in > 0)
        if (Step(Z_NO_FLUSH) != Z_OK) Fail("deflate", z_);
}

void RleDeflater::Finish() {
    for (;;) {
        const int r = Step(Z_FINISH);
        if (r == Z_STREAM_END) return;
        if (r != Z_OK) Fail("deflate end", z_);
    }
}

int RleDeflater::Step(int flush) {
    const std::span<std::uint8_t> room = out_.Room();
    z_.next_out = room.data();
    z_.avail_out = static_cast<uInt>(room.size());
    const int r = ::deflate(&z_, flush);
    out_.Wrote(room.size() - z_.avail_out);
    return r;
}

}  // namespace orvane
