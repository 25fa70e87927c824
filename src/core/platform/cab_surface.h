#pragma once

#include <cstdint>

namespace cab {

struct Picture;
class SpriteModel;

// The cab drawing surface (800 x 785). A frame is drawn as fill, video
// surface, sprites, flip; the painter only reads what it is given.
class CabSurface {
 public:
  virtual ~CabSurface() = default;
  // False while the surface cannot be drawn (for example a minimised window).
  virtual bool canDraw() const = 0;
  virtual void fill(std::uint32_t colour) = 0;
  // The off-screen video surface, drawn opaque at (0, 0).
  virtual void drawVideoSurface(const Picture& surface) = 0;
  virtual void drawSprites(const SpriteModel& sprites) = 0;
  virtual void flip() = 0;
};

}  // namespace cab
