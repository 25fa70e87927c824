#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cab::test {

// Builds RIFF WAVE files byte by byte, chunk by chunk, so that tests can make
// both well-formed and broken ones.
class WaveBytes {
 public:
  WaveBytes& text(const std::string& s) {
    for (char c : s) bytes_.push_back(std::byte(c));
    return *this;
  }
  WaveBytes& u16(unsigned v) { return le(v, 2); }
  WaveBytes& u32(std::uint32_t v) { return le(v, 4); }
  WaveBytes& raw(std::initializer_list<unsigned> values) {
    for (unsigned v : values) bytes_.push_back(std::byte(v));
    return *this;
  }
  // "RIFF", a size, "WAVE".
  WaveBytes& header(std::uint32_t riffSize = 0) { return text("RIFF").u32(riffSize).text("WAVE"); }
  WaveBytes& format(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits) {
    const unsigned block = channels * bits / 8;
    return text("fmt ").u32(16).u16(tag).u16(channels).u32(rate).u32(rate * block).u16(block).u16(bits);
  }
  WaveBytes& chunk(const std::string& id, std::uint32_t size) { return text(id).u32(size); }
  WaveBytes& samples16(std::initializer_list<int> values) {
    for (int v : values) u16(unsigned(std::uint16_t(std::int16_t(v))));
    return *this;
  }
  std::vector<std::byte> bytes() const { return bytes_; }

 private:
  WaveBytes& le(std::uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(std::byte((v >> (8 * i)) & 0xFF));
    return *this;
  }
  std::vector<std::byte> bytes_;
};

}  // namespace cab::test
