#include "core/presentation/info_text/speed_distance_text.h"

#include <gtest/gtest.h>

namespace cab {
namespace {

struct TextCase {
  long double value;
  const char* text;
};

// One decimal, right-aligned in five characters; ties round away from zero,
// and a speed that rounds to zero shows no sign.
TEST(SpeedText, OneDecimalInFiveCharacters) {
  const TextCase cases[] = {
      {0, "  0.0 km/h"},        {12.34L, " 12.3 km/h"}, {0.25L, "  0.3 km/h"},  {12.75L, " 12.8 km/h"},
      {-3.5L, " -3.5 km/h"},    {-0.25L, " -0.3 km/h"}, {-0.04L, "  0.0 km/h"}, {123.4L, "123.4 km/h"},
      {1234.5L, "1234.5 km/h"},  // wider than five characters: nothing is cut
  };
  for (const auto& c : cases) EXPECT_EQ(speedText(c.value), c.text) << static_cast<double>(c.value);
}

// Whole metres beyond 10 m, decimetres beyond 5 m, centimetres closer in;
// the ranges are by the absolute distance, so an overrun keeps its sign.
TEST(DistanceText, ThreeRangesKeepingTheSign) {
  const TextCase cases[] = {
      {12345, "  123 m"}, {1050, "   11 m"},  {1001, "   10 m"},   {1000, " 10.0 m"},        {723, "  7.2 m"},
      {501, "  5.0 m"},   {500, " 5.00 m"},   {0, " 0.00 m"},      {3, " 0.03 m"},           {-250, "-2.50 m"},
      {-723, " -7.2 m"},  {-1500, "  -15 m"}, {-12345, " -123 m"}, {123456789, "1234568 m"},
  };
  for (const auto& c : cases) EXPECT_EQ(distanceText(c.value), c.text) << static_cast<double>(c.value);
}

TEST(SpeedAndDistanceTexts, WritesBothTexts) {
  UiText ui;
  speedAndDistanceTexts(ui, 45.06L, 12345);
  EXPECT_EQ(ui.speedText, " 45.1 km/h");
  EXPECT_EQ(ui.distanceText, "  123 m");
}

}  // namespace
}  // namespace cab
