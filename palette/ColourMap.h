#pragma once
// A small open-addressing map from colour to a 32-bit value, for the whole-picture colour
// passes (counting, palettes, histograms). Pictures hold runs of one colour, so callers keep
// the last lookup and come here only when the colour changes.
#include <cstdint>
#include <vector>

#include "core/Colour.h"

namespace orvane {

class ColourMap {
  public:
    explicit ColourMap(std::size_t expected = 1024) { Rehash(Capacity(expected)); }

    // The value of `c`, inserted as `fresh` if absent.
    std::uint32_t& At(Colour c, std::uint32_t fresh = 0) {
        if (c == kEmpty) {
            if (!hasEmptyKey_) {
                hasEmptyKey_ = true;
                emptyValue_ = fresh;
                ++size_;
            }
            return emptyValue_;
        }
        std::size_t i = Slot(c);
        while (keys_[i] != kEmpty) {
            if (keys_[i] == c) return values_[i];
            i = (i + 1) & mask_;
        }
        if ((size_ + 1) * 2 > keys_.size()) {
            Rehash(keys_.size() * 2);
            return At(c, fresh);
        }
        keys_[i] = c;
        values_[i] = fresh;
        ++size_;
        return values_[i];
    }

    // Null when absent.
    const std::uint32_t* Find(Colour c) const {
        if (c == kEmpty) return hasEmptyKey_ ? &emptyValue_ : nullptr;
        for (std::size_t i = Slot(c); keys_[i] != kEmpty; i = (i + 1) & mask_)
            if (keys_[i] == c) return &values_[i];
        return nullptr;
    }

    std::size_t Size() const { return size_; }

    // Visits every (colour, value) pair in no particular order.
    template <class F>
    void ForEach(F&& f) {
        Visit(*this, f);
    }
    template <class F>
    void ForEach(F&& f) const {
        Visit(*this, f);
    }

  private:
    // ForEach for a map and a const map alike: values are passed as references of its kind.
    template <class Map, class F>
    static void Visit(Map& map, F& f) {
        for (std::size_t i = 0; i < map.keys_.size(); ++i)
            if (map.keys_[i] != kEmpty) f(map.keys_[i], map.values_[i]);
        if (map.hasEmptyKey_) f(kEmpty, map.emptyValue_);
    }

    // Colours are 24-bit in practice, so this key marks a free slot; it is still storable.
    static constexpr Colour kEmpty = 0xFFFFFFFFu;

    static std::size_t Capacity(std::size_t expected) {
        std::size_t cap = 16;
        while (cap < expected * 2) cap *= 2;
        return cap;
    }
    std::size_t Slot(Colour c) const {
        return static_cast<std::size_t>((c * 0x9E3779B1u) >> 8) & mask_;
    }
    void Rehash(std::size_t capacity) {
        std::vector<Colour> oldKeys = std::move(keys_);
        std::vector<std::uint32_t> oldValues = std::move(values_);
        keys_.assign(capacity, kEmpty);
        values_.assign(capacity, 0);
        mask_ = capacity - 1;
        for (std::size_t i = 0; i < oldKeys.size(); ++i) {
            if (oldKeys[i] == kEmpty) continue;
            std::size_t j = Slot(oldKeys[i]);
            while (keys_[j] != kEmpty) j = (j + 1) & mask_;
            keys_[j] = oldKeys[i];
            values_[j] = oldValues[i];
        }
    }

    std::vector<Colour> keys_;
    std::vector<std::uint32_t> values_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
    bool hasEmptyKey_ = false;
    std::uint32_t emptyValue_ = 0;
};

}  // namespace orvane
