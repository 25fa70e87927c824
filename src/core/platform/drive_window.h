#pragma once

#include <string>

namespace cab {

// What the drive asks of its window.
class DriveWindow {
 public:
  virtual ~DriveWindow() = default;
  // The window's caption.
  virtual void setCaption(const std::string& text) = 0;
  // Window opacity while fading out, 0 (invisible) to 255 (opaque).
  virtual void setWindowAlpha(int alpha) = 0;
  // Closes the window; the drive's close sequence follows.
  virtual void closeWindow() = 0;
};

}  // namespace cab
