// Takes typed values off the front of a fuzz input; once the bytes run out
// every value reads as zero, so any input length is a valid case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace quorrel {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return size_ > 0 ? (--size_, *data_++) : 0; }

    int16_t Int16() {
        const uint16_t low = Byte();
        const uint16_t high = Byte();
        return static_cast<int16_t>(static_cast<uint16_t>(low | (high << 8)));
    }

    // A value in lo..hi (hi - lo below 256).
    int Between(int lo, int hi) { return lo + Byte() % (hi - lo + 1); }

    // Up to `most` bytes as a string (it may hold NULs).
    std::string Text(size_t most) {
        const size_t n = most < size_ ? most : size_;
        std::string text(reinterpret_cast<const char*>(data_), n);
        data_ += n;
        size_ -= n;
        return text;
    }

    const uint8_t* rest() const { return data_; }
    size_t left() const { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
};

}  // namespace quorrel
