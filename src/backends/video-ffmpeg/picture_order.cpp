#include "backends/video-ffmpeg/picture_order.h"

#include <algorithm>

namespace cab {

void PictureOrder::add(int slot, bool key) {
  slots_.push_back(slot);
  if (key || slots_.size() == 1) keys_.push_back(size() - 1);
}

void PictureOrder::finish(bool reordering) {
  reordering_ = reordering;
  shownAt_.assign(reordering ? slots_.size() : 0, -1);
  pictureAt_.assign(reordering ? slots_.size() : 0, -1);
  beginRun(0);
}

void PictureOrder::clear() {
  slots_.clear();
  keys_.clear();
  finish(false);
}

int PictureOrder::positionOfFrame(int n) const {
  return static_cast<int>(std::upper_bound(slots_.begin(), slots_.end(), n) - slots_.begin()) - 1;
}

bool PictureOrder::startsSegment(int entry) const { return std::binary_search(keys_.begin(), keys_.end(), entry); }

int PictureOrder::segmentOf(int entry) const {
  return static_cast<int>(std::upper_bound(keys_.begin(), keys_.end(), entry) - keys_.begin()) - 1;
}

int PictureOrder::segmentEnd(int segment) const {
  return segment + 1 < static_cast<int>(keys_.size()) ? keys_[segment + 1] : size();
}

int PictureOrder::runStartFor(int j) const {
  const int segment = segmentOf(j);
  if (!reordering_ || segment == 0) return keys_[segment];
  const int keyShown = keyShownAt(segment);
  if (keyShown >= 0 && j >= keyShown) return keys_[segment];
  // The key frame's place is not known yet, or j is a leading picture: begin one segment earlier.
  return keys_[segment - 1];
}

void PictureOrder::beginRun(int start) {
  runStart_ = start;
  outputSegment_ = -1;
  outputsInSegment_ = 0;
  sinceRunKey_ = -1;
}

bool PictureOrder::runPlaces(int j) const {
  const int segment = segmentOf(j);
  if (keys_[segment] < runStart_) return false;
  if (!reordering_ || coversSegment(segment)) return true;
  const int keyShown = keyShownAt(segment);
  return keyShown >= 0 && j >= keyShown;
}

int PictureOrder::placeOutput(int entry) {
  if (entry < 0 || entry >= size()) return -1;
  if (!reordering_) return entry;
  const int segment = segmentOf(entry);
  if (segment != outputSegment_) {
    outputSegment_ = segment;
    outputsInSegment_ = 0;
  }
  int j = keys_[segment] + outputsInSegment_++;
  if (!coversSegment(segment)) {
    // The run began at this key frame: what comes out before the key frame's picture is not trusted.
    if (entry == runStart_)
      sinceRunKey_ = 0;
    else if (sinceRunKey_ >= 0)
      ++sinceRunKey_;
    const int keyShown = keyShownAt(segment);
    if (keyShown < 0 || sinceRunKey_ < 0) return -1;
    j = keyShown + sinceRunKey_;
  }
  if (shownAt_[entry] < 0 && j < segmentEnd(segment) && pictureAt_[j] < 0) {
    shownAt_[entry] = j;
    pictureAt_[j] = entry;
  }
  return shownAt_[entry];
}

}  // namespace cab
