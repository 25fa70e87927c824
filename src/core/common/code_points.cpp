#include "core/common/code_points.h"

namespace cab {

namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of character `index` (counted from 0), or size() when past the end.
std::size_t byteOffsetOf(std::string_view s, std::size_t index) {
  std::size_t i = 0;
  while (i < s.size() && index > 0) {
    ++i;
    while (i < s.size() && isContinuation(s[i])) ++i;
    --index;
  }
  return i;
}

}  // namespace

std::size_t codePointCount(std::string_view s) {
  std::size_t n = 0;
  for (char c : s)
    if (!isContinuation(c)) ++n;
  return n;
}

std::string codePointAt(std::string_view s, std::size_t n) {
  if (n == 0) return {};
  std::size_t begin = byteOffsetOf(s, n - 1);
  std::size_t end = byteOffsetOf(s.substr(begin), 1) + begin;
  return std::string(s.substr(begin, end - begin));
}

std::string firstCodePoints(std::string_view s, std::size_t n) { return std::string(s.substr(0, byteOffsetOf(s, n))); }

std::string codePointsFrom(std::string_view s, std::size_t from) { return std::string(s.substr(byteOffsetOf(s, from))); }

}  // namespace cab
