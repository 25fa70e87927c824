#pragma once

namespace cab {

// The five display options kept in the settings store (0 or 1 each).
struct DisplayOptions {
  int Kanko = 0;
  int Information = 0;
  int ATS = 0;
  int Tunnel = 0;
  int Moji = 0;
};

}  // namespace cab
