#include "core/presentation/overlays/video_text.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/presentation/info_text/ui_text.h"

namespace cab {
namespace {

constexpr std::uint32_t Black = 0x000000u, White = 0xFFFFFFu;

UiText everyText() {
  UiText t;
  t.speedText = "speed";
  t.maxSpeedText = "max";
  t.reverserText = "rev";
  t.powerText = "power";
  t.brakeText = "brake";
  t.gearText = "gear";
  t.carsText = "cars";
  t.stationText = "station";
  t.clockText = "clock";
  t.doorText = "door";
  return t;
}

// Where each text is drawn in white, by text.
using Place = std::tuple<std::string, int, int, int>;  // text, x, y, size

std::vector<Place> whitePlaces(const std::vector<VideoText>& texts) {
  std::vector<Place> out;
  for (const VideoText& t : texts)
    if (t.colour == White) out.emplace_back(t.text, t.x, t.y, t.size);
  return out;
}

TEST(VideoText, DrivingInformationInTextMode) {
  const UiText t = everyText();
  const VideoTextLayout layout{800, 600, 1, 0, false};
  const std::vector<Place> expected = {
      {"speed", 640, 504, 16}, {"max", 560, 552, 14},   {"rev", 640, 552, 14},
      {"power", 696, 552, 14}, {"brake", 736, 552, 14}, {"gear", 560, 510, 14},
      {"cars", 8, 480, 14},    {"station", 8, 516, 14}, {"clock", 8, 552, 14},
  };
  const auto texts = videoTexts(t, layout, 0);
  EXPECT_EQ(whitePlaces(texts), expected);
  // Every shadow first, two pixels right and down (0.2 % of 800 is 1.6).
  ASSERT_EQ(texts.size(), 2 * expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const VideoText& shadow = texts[i];
    const VideoText& face = texts[i + expected.size()];
    EXPECT_EQ(shadow.colour, Black);
    EXPECT_EQ(std::tuple(shadow.text, shadow.x, shadow.y, shadow.size),
              std::tuple(face.text, face.x + 2, face.y + 2, face.size));
  }
}

TEST(VideoText, OptionalLinesStackAboveTheCarCount) {
  UiText t;
  t.limitText = "limit";
  t.limitText2 = "limit2";
  t.label8Text = "label8";
  t.tcText = "tc";
  t.doorText = "door";
  const VideoTextLayout oneMan{800, 600, 1, 0, true};
  const std::vector<Place> both = {{"limit", 560, 468, 14},
                                   {"limit2", 560, 432, 14},
                                   {"label8", 8, 444, 14},
                                   {"tc", 8, 408, 14},
                                   {"door", 120, 552, 14}};
  EXPECT_EQ(whitePlaces(videoTexts(t, oneMan, 0)), both);
  t.label8Text.clear();
  t.limitText2.clear();
  const VideoTextLayout withConductor{800, 600, 1, 0, false};
  // The traffic-light line alone takes the first place; no door text with a conductor.
  EXPECT_EQ(whitePlaces(videoTexts(t, withConductor, 0)),
            (std::vector<Place>{{"limit", 560, 468, 14}, {"tc", 8, 444, 14}}));
}

TEST(VideoText, CommentaryCentredOnTheLastWidth) {
  UiText t = everyText();
  t.commentary = "advice";
  struct Case {
    const char* what;
    VideoTextLayout layout;
    int width;
    std::vector<Place> places;  // the commentary first when it is drawn
  } cases[] = {
      // Round(101 / 2) is 50, halves to even.
      {"on top in text mode", {800, 600, 0, 0, false}, 101, {{"advice", 350, 30, 12}}},
      {"low in label mode, alone", {800, 600, 0, 1, false}, 100, {{"advice", 350, 540, 12}}},
      {"before the first measure", {800, 600, 0, 1, false}, 0, {{"advice", 400, 540, 12}}},
      {"the option hides it", {800, 600, 1, 1, false}, 100, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto places = whitePlaces(videoTexts(t, c.layout, c.width));
    if (c.layout.moji == 1) {
      EXPECT_EQ(places, c.places);
    } else {
      ASSERT_FALSE(places.empty());
      EXPECT_EQ(places.front(), c.places.front());
      EXPECT_EQ(places.size(), 10u);
    }
  }
  EXPECT_TRUE(commentaryShown(t, {800, 600, 0, 1, false}));
  EXPECT_FALSE(commentaryShown(UiText{}, {800, 600, 0, 1, false}));
  EXPECT_EQ(commentaryTextSize(800), 12);
}

TEST(VideoText, TheCentreRoundsHalvesToEven) {
  UiText t;
  t.commentary = "advice";
  // Round(801 / 2) is 400, where rounding away from zero would give 401.
  EXPECT_EQ(whitePlaces(videoTexts(t, {801, 600, 0, 1, false}, 100)), (std::vector<Place>{{"advice", 350, 540, 12}}));
}

}  // namespace
}  // namespace cab
