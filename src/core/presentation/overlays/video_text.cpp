#include "core/presentation/overlays/video_text.h"

#include <string>

#include "core/common/rounding.h"
#include "core/presentation/info_text/ui_text.h"

namespace cab {

namespace {

constexpr std::uint32_t Shadow = 0x000000u;
constexpr std::uint32_t Face = 0xFFFFFFu;

int rounded(long double x) { return static_cast<int>(Round(x)); }

// One text at its place; the shadow copies are made from it.
struct Placed {
  int x, y, size;
  const std::string* text;
};

// An empty text draws nothing and is left out.
void drawTwice(std::vector<VideoText>& out, const std::vector<Placed>& placed, int shift) {
  for (const Placed& p : placed)
    if (!p.text->empty()) out.push_back({p.x + shift, p.y + shift, p.size, Shadow, *p.text});
  for (const Placed& p : placed)
    if (!p.text->empty()) out.push_back({p.x, p.y, p.size, Face, *p.text});
}

// The driving information in text mode: the controller positions and speeds
// on the right, the station column on the left; the optional lines only
// when they say something.
std::vector<Placed> drivingInformation(const UiText& t, const VideoTextLayout& l) {
  const int W = l.width, H = l.height;
  const int big = rounded(0.02L * W), small = rounded(0.017L * W);
  auto at = [&](long double fx, long double fy, int size, const std::string& text) {
    return Placed{rounded(fx * W), rounded(fy * H), size, &text};
  };
  std::vector<Placed> p{at(0.8L, 0.84L, big, t.speedText),      at(0.7L, 0.92L, small, t.maxSpeedText),
                        at(0.8L, 0.92L, small, t.reverserText), at(0.87L, 0.92L, small, t.powerText),
                        at(0.92L, 0.92L, small, t.brakeText),   at(0.7L, 0.85L, small, t.gearText)};
  if (!t.limitText.empty()) p.push_back(at(0.7L, 0.78L, small, t.limitText));
  if (!t.limitText2.empty()) p.push_back(at(0.7L, 0.72L, small, t.limitText2));
  // The traffic-light lines stack upwards above the car count.
  int y = rounded(0.8L * H);
  for (const std::string* text : {&t.label8Text, &t.tcText}) {
    if (text->empty()) continue;
    y -= rounded(0.06L * H);
    p.push_back({rounded(0.01L * W), y, small, text});
  }
  p.push_back(at(0.01L, 0.8L, small, t.carsText));
  p.push_back(at(0.01L, 0.86L, small, t.stationText));
  p.push_back(at(0.01L, 0.92L, small, t.clockText));
  if (l.oneMan) p.push_back(at(0.15L, 0.92L, small, t.doorText));
  return p;
}

}  // namespace

int commentaryTextSize(int videoWidth) { return rounded(0.015L * videoWidth); }

bool commentaryShown(const UiText& texts, const VideoTextLayout& layout) {
  return layout.information == 0 && !texts.commentary.empty();
}

std::vector<VideoText> videoTexts(const UiText& texts, const VideoTextLayout& layout, int commentaryWidth) {
  const int W = layout.width, H = layout.height;
  const int shift = rounded(0.002L * W);
  std::vector<VideoText> out;
  if (commentaryShown(texts, layout)) {
    const int x = rounded(W / 2.0L) - rounded(commentaryWidth / 2.0L);
    const int y = rounded((layout.moji == 0 ? 0.05L : 0.9L) * H);
    drawTwice(out, {{x, y, commentaryTextSize(W), &texts.commentary}}, shift);
  }
  if (layout.moji == 0) drawTwice(out, drivingInformation(texts, layout), shift);
  return out;
}

}  // namespace cab
