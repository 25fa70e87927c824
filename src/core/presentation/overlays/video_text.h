#pragma once

#include <vector>

#include "core/platform/cab_surface.h"

namespace cab {

struct UiText;

// What decides the texts drawn on the video.
struct VideoTextLayout {
  int width = 0;        // W
  int height = 0;       // H
  int information = 0;  // display option "Information": 0 shows the commentary
  int moji = 0;  // display option "Moji": 0 draws the driving information on the video, 1 leaves it to the labels
  bool oneMan = false;  // the door text is drawn on one-man routes only
};

// The commentary's font size and whether it is drawn this frame.
int commentaryTextSize(int videoWidth);
bool commentaryShown(const UiText& texts, const VideoTextLayout& layout);

// This frame's texts, each a black shadow shifted right and down by 0.2 % of
// W and then the white text: the commentary first, centred on a width of
// commentaryWidth pixels (the last frame's), then, in text mode, every shadow
// of the driving information before every white copy.
std::vector<VideoText> videoTexts(const UiText& texts, const VideoTextLayout& layout, int commentaryWidth);

}  // namespace cab
