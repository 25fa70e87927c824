#pragma once

#include <bitset>

namespace cab {

// Which keys are held down, kept from the key-down and key-up events, for the
// handlers that poll a key (horns, buzzer, modifier keys).
class KeyState {
 public:
  void press(int code) {
    if (valid(code)) held_.set(static_cast<std::size_t>(code));
  }
  void release(int code) {
    if (valid(code)) held_.reset(static_cast<std::size_t>(code));
  }
  bool isDown(int code) const { return valid(code) && held_.test(static_cast<std::size_t>(code)); }
  void clear() { held_.reset(); }

 private:
  static bool valid(int code) { return code >= 0 && code < 256; }
  std::bitset<256> held_;
};

}  // namespace cab
