#include "canvas/PngPaletteWrite.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "canvas/Adler32.h"
#include "core/RunError.h"

namespace orvane {
namespace {

constexpr std::size_t kIdatBytes = 8192;  // the data of every IDAT chunk but the last
// Deflate as the files have always been made: level 6 with run-length matching is several
// times faster than the zlib defaults and hardly larger on pictures of flat areas; memory level
// 6 (smaller blocks) is a fifth faster than 8 and slightly smaller.
constexpr int kLevel = 6;
constexpr int kMemLevel = 6;
constexpr int kWindowBits = 15;
// The zlib header deflate writes for these settings: 32 KiB window, and level bits 0, as for
// every strategy that does not search for matches.
constexpr std::uint8_t kZlibHeader[2] = {0x78, 0x01};

[[noreturn]] void Fail(const char* step, const z_stream& z) {
    throw RunError(std::string("PNG export failed (") + step +
                   "): " + (z.msg ? z.msg : "deflate error"));
}

void PutBe32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

// Appends a whole chunk: length, type, data, CRC of type and data.
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

// The zlib stream cut into IDAT chunks as it is made, so it is never copied: a chunk is
// opened only when there are bytes for it, and sealed (length, CRC) when full or at the end.
class IdatWriter {
  public:
    explicit IdatWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    // Free room in the chunk being filled; a new chunk when it is full.
    std::span<std::uint8_t> Room() {
        if (!open_ || filled_ == kIdatBytes) Open();
        return {out_.data() + start_ + 8 + filled_, kIdatBytes - filled_};
    }
    void Wrote(std::size_t n) { filled_ += n; }
    void Put(std::span<const std::uint8_t> bytes) {
        while (!bytes.empty()) {
            const std::span<std::uint8_t> room = Room();
            const std::size_t n = std::min(room.size(), bytes.size());
            std::memcpy(room.data(), bytes.data(), n);
            Wrote(n);
            bytes = bytes.subspan(n);
        }
    }
    void Seal() {
        if (!open_) return;
        out_.resize(start_ + 8 + filled_ + 4);
        std::uint8_t* p = out_.data() + start_;
        PutBe32(p, static_cast<std::uint32_t>(filled_));
        PutBe32(p + 8 + filled_, static_cast<std::uint32_t>(crc32(0, p + 4, filled_ + 4)));
        open_ = false;
    }

  private:
    void Open() {
        Seal();
        start_ = out_.size();
        out_.resize(start_ + 8 + kIdatBytes);
        std::memcpy(out_.data() + start_ + 4, "IDAT", 4);
        filled_ = 0;
        open_ = true;
    }

    std::vector<std::uint8_t>& out_;
    std::size_t start_ = 0;
    std::size_t filled_ = 0;
    bool open_ = false;
};

class Deflater {
  public:
    explicit Deflater(IdatWriter& idat) : idat_(idat) {
        // Negative window bits: a raw deflate stream, without zlib's header and its slower
        // checksum; both are written here instead.
        if (deflateInit2(&z_, kLevel, Z_DEFLATED, -kWindowBits, kMemLevel, Z_RLE) != Z_OK)
            Fail("deflate init", z_);
    }
    ~Deflater() { deflateEnd(&z_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // Deflate keeps what it cannot match yet, so the stream does not depend on how the input
    // is cut into calls.
    void Add(std::span<const std::uint8_t> bytes) {
        z_.next_in = const_cast<Bytef*>(bytes.data());
        z_.avail_in = static_cast<uInt>(bytes.size());
        while (z_.avail_in > 0)
            if (Step(Z_NO_FLUSH) != Z_OK) Fail("deflate", z_);
    }
    void Finish() {
        for (;;) {
            const int r = Step(Z_FINISH);
            if (r == Z_STREAM_END) return;
            if (r != Z_OK) Fail("deflate end", z_);
        }
    }

  private:
    int Step(int flush) {
        const std::span<std::uint8_t> room = idat_.Room();
        z_.next_out = room.data();
        z_.avail_out = static_cast<uInt>(room.size());
        const int r = deflate(&z_, flush);
        idat_.Wrote(room.size() - z_.avail_out);
        return r;
    }

    IdatWriter& idat_;
    z_stream z_{};
};

}  // namespace

std::vector<std::uint8_t> WritePalettePng(std::uint32_t width, std::uint32_t height,
                                          std::span<const Colour> palette,
                                          std::span<const std::uint8_t> indices,
                                          const std::array<std::uint8_t, 256>* renumber) {
    if (indices.size() != std::size_t{width} * height)
        throw RunError("PNG export failed: the picture does not match its size");
    static constexpr std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    std::vector<std::uint8_t> out(kSignature, kSignature + 8);
    // A few percent of the picture is a good first guess for a map's file.
    out.reserve(indices.size() / 16 + 4096);

    std::uint8_t ihdr[13] = {};
    PutBe32(ihdr, width);
    PutBe32(ihdr + 4, height);
    ihdr[8] = 8;  // bits per index
    ihdr[9] = 3;  // palette colour type; compression, filter and interlace stay 0
    PutChunk(out, "IHDR", ihdr);
    std::vector<std::uint8_t> plte;
    for (const Colour c : palette)
        plte.insert(plte.end(),
                    {static_cast<std::uint8_t>(RedOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
                     static_cast<std::uint8_t>(BlueOf(c))});
    PutChunk(out, "PLTE", plte);

    IdatWriter idat(out);
    idat.Put(kZlibHeader);
    std::uint32_t adler = 1;
    {
        Deflater deflater(idat);
        // Each row goes out as filter type 0 (none) and the row as it is.
        std::vector<std::uint8_t> row(std::size_t{width} + 1);
        for (std::size_t y = 0; y < height; ++y) {
            const std::uint8_t* src = indices.data() + y * width;
            if (renumber)
                std::transform(src, src + width, row.begin() + 1,
                               [&](std::uint8_t p) { return (*renumber)[p]; });
            else
                std::memcpy(row.data() + 1, src, width);
            deflater.Add(row);
            adler = Adler32(adler, row);
        }
        deflater.Finish();
    }
    std::uint8_t trailer[4];
    PutBe32(trailer, adler);
    idat.Put(trailer);
    idat.Seal();
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace orvane
