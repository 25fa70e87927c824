#include "core/route/signals/signal_picture_check.h"

#include <string>

#include "core/data/data_error.h"
#include "core/route/signals/signal_images.h"

namespace cab {

namespace {

constexpr int CabSignalling = 2;
constexpr int CabSignalHeadType = 9;

void require(std::size_t row, const char* picture, int pattern, int count) {
  if (count <= 0 || (pattern >= 0 && pattern < count)) return;
  throw DataError(std::vector<std::string>{"路線ファイルに誤りがあります。[Signal]:" + std::to_string(row + 1) + "行目",
                                           std::string(picture) + "の画像にコマ" + std::to_string(pattern) +
                                               "がありません(コマは0〜" + std::to_string(count - 1) + ")"});
}

// An indicator and its stop alternative, when the row shows the indicator.
void requireIndicator(std::size_t row, const char* picture, int image, int alternative, int count) {
  if (image < 1) return;
  require(row, picture, image, count);
  if (alternative != 0) require(row, picture, alternative, count);
}

}  // namespace

void checkSignalPictures(std::span<const SignalData> rows, const SignalPictureCounts& counts, int atsType,
                         int maxSpeedKmh) {
  const bool cab = atsType == CabSignalling;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SignalData& s = rows[i];
    const bool mainShown = cab ? s.headType == CabSignalHeadType : s.headType < CabSignalHeadType;
    if (mainShown) require(i, "信号機", largestSignalImage(s.headType, maxSpeedKmh), counts.main);
    if ((cab || mainShown) && s.subImage > 0) require(i, "サブ信号機0", s.subImage, counts.sub);
    if (cab || !mainShown) continue;
    requireIndicator(i, "サブ信号機1", s.sub1Image, s.sub1AltImage, counts.left);
    requireIndicator(i, "サブ信号機2", s.sub2Image, s.sub2AltImage, counts.right);
  }
}

}  // namespace cab
