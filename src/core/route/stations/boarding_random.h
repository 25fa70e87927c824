#pragma once

#include <cstdint>
#include <random>

namespace cab {

// The boarding draw of a stop: re-seeded from the drive's clock whenever a
// stop zone is entered, so a headless run on its virtual clock draws the
// same numbers every time.
class BoardingRandom {
 public:
  // A uniform integer 0 ... 99 from a generator seeded with `seed`.
  int draw(std::uint64_t seed) {
    generator_.seed(static_cast<std::mt19937::result_type>(seed ^ (seed >> 32)));
    return std::uniform_int_distribution<int>(0, 99)(generator_);
  }

 private:
  std::mt19937 generator_;
};

}  // namespace cab
