#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Appends numbers in a chosen byte order and four-character codes to a byte buffer, for
// building file headers.
class ByteWriter {
  public:
    explicit ByteWriter(bool bigEndian) : bigEndian_(bigEndian) {}

    void code(std::string_view fourCharacters) {
        bytes_.insert(bytes_.end(), fourCharacters.begin(), fourCharacters.end());
    }
    void u16(uint16_t value) { put(value, 2); }
    void u32(uint32_t value) { put(value, 4); }
    void u64(uint64_t value) { put(value, 8); }
    void raw(const uint8_t* data, size_t count) { bytes_.insert(bytes_.end(), data, data + count); }
    void zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    size_t size() const { return bytes_.size(); }
    std::vector<uint8_t> take() { return std::move(bytes_); }

  private:
    void put(uint64_t value, int width) {
        for (int i = 0; i < width; ++i) {
            int shift = bigEndian_ ? 8 * (width - 1 - i) : 8 * i;
            bytes_.push_back(static_cast<uint8_t>(value >> shift));
        }
    }

    bool bigEndian_;
    std::vector<uint8_t> bytes_;
};
