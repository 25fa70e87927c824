#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace cab {

struct Picture;
class SpriteModel;

// One text drawn into the video surface: (x, y) is the top-left corner of
// its line, size is in points (at 96 pixels per inch). The face is the video
// canvas's font, bold and italic, on a transparent background.
struct VideoText {
  int x = 0;
  int y = 0;
  int size = 0;
  std::uint32_t colour = 0;  // 0xRRGGBB
  std::string text;
};

// The cab drawing surface (800 x 785). A frame is drawn as fill, video
// surface, its texts, sprites, flip; the painter only reads what it is given.
class CabSurface {
 public:
  virtual ~CabSurface() = default;
  // False while the surface cannot be drawn (for example a minimised window).
  virtual bool canDraw() const = 0;
  virtual void fill(std::uint32_t colour) = 0;
  // The off-screen video surface, drawn opaque at (0, 0).
  virtual void drawVideoSurface(const Picture& surface) = 0;
  // Texts drawn in order over the video surface drawn last, clipped to it.
  virtual void drawVideoTexts(std::span<const VideoText> texts) = 0;
  virtual void drawSprites(const SpriteModel& sprites) = 0;
  virtual void flip() = 0;
  // The width in pixels of a text as drawVideoTexts draws it at that size.
  virtual int textWidth(const std::string& text, int size) const = 0;
};

}  // namespace cab
