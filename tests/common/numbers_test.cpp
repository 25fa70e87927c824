#include <gtest/gtest.h>

#include "core/common/fixed4.h"
#include "core/common/rounding.h"

namespace cab {
namespace {

TEST(Rounding, TiesToEvenAgainstTiesAwayFromZero) {
  struct Case {
    long double x;
    std::int64_t even;
    std::int64_t away;
  } cases[] = {{0.5L, 0, 1},   {1.5L, 2, 2},   {2.5L, 2, 3},    {-0.5L, 0, -1}, {-2.5L, -2, -3},
               {2.4999L, 2, 2}, {-1.6L, -2, -2}, {1e30L, INT64_MAX, INT64_MAX}, {-1e30L, INT64_MIN, INT64_MIN}};
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.x), c.even) << static_cast<double>(c.x);
    EXPECT_EQ(roundHalfAway(c.x), c.away) << static_cast<double>(c.x);
  }
}

TEST(Fixed4, RoundsEveryStoreToFourDecimals) {
  Fixed4 a = 1.23456L;
  EXPECT_EQ(a.raw(), 12346);
  Fixed4 tie = 0.00005L;  // exactly half a unit: ties to even
  EXPECT_EQ(tie.raw(), 0);
  Fixed4 negative = -2.00015L;
  EXPECT_EQ(negative.raw(), -20002);
  Fixed4 sum = 1;
  sum += 0.33333L;
  sum += 0.33333L;
  EXPECT_EQ(sum.raw(), 16666);
  Fixed4 product = a * 3;  // computed in extended precision, rounded once
  EXPECT_EQ(product.raw(), 37038);
  EXPECT_EQ(Fixed4(std::int64_t{490}).raw(), 4900000);
}

}  // namespace
}  // namespace cab
