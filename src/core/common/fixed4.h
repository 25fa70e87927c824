#pragma once

#include <cstdint>

namespace cab {

// Four-decimal fixed point: a signed 64-bit count of 1/10000, rounded to the
// nearest 1/10000 (ties to even) on every store. Arithmetic converts to long
// double, so `Fixed4 f = a * b;` computes in extended precision and rounds once.
class Fixed4 {
 public:
  static constexpr std::int64_t Scale = 10000;

  constexpr Fixed4() = default;
  Fixed4(long double value);  // NOLINT: implicit by design, stores round
  Fixed4(double value) : Fixed4(static_cast<long double>(value)) {}
  Fixed4(int value) : raw_(static_cast<std::int64_t>(value) * Scale) {}
  Fixed4(std::int64_t value) : raw_(value * Scale) {}  // whole units

  static constexpr Fixed4 fromRaw(std::int64_t raw) {
    Fixed4 f;
    f.raw_ = raw;
    return f;
  }

  constexpr std::int64_t raw() const { return raw_; }
  long double value() const { return static_cast<long double>(raw_) / Scale; }
  operator long double() const { return value(); }  // NOLINT: implicit by design

  Fixed4& operator+=(long double v) { return *this = value() + v; }
  Fixed4& operator-=(long double v) { return *this = value() - v; }

 private:
  std::int64_t raw_ = 0;
};

}  // namespace cab
