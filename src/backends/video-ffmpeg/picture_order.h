#pragma once

#include <vector>

namespace cab {

// Where the pictures of one video stream are shown.
//
// The stream's packets are numbered in decode order (entries); each has a slot,
// its frame number in decode order (AVI keeps a place for an empty chunk, so
// slots may skip numbers). A key frame and the packets up to the next one form
// a segment. The pictures of a segment are shown in the slots of that segment,
// in the order the decoder puts them out: position j, the j-th slot, shows one
// picture of the segment holding entry j.
//
// A codec without reordering shows entry j at position j. With reordering the
// order is learnt while decoding: a run that began before a segment's key frame
// puts out every picture of that segment, so the k-th one of them belongs at
// the segment's k-th position. A run that begins at the key frame itself loses
// the leading pictures (shown before the key frame, predicted from the segment
// before) or puts them out broken; once the key frame's place is known, the
// pictures from the key frame's on follow it one position each.
class PictureOrder {
 public:
  // Entries in decode order; slots increase. The first entry starts a segment
  // whatever its flag.
  void add(int slot, bool key);
  // Call after the last add(); `reordering` when the decoder may put pictures out
  // in another order than it is given them.
  void finish(bool reordering);
  void clear();

  int size() const { return static_cast<int>(slots_.size()); }
  bool startsSegment(int entry) const;
  // Frames: the slot after the last one.
  int frames() const { return slots_.empty() ? 0 : slots_.back() + 1; }
  // The position that stands at frame n: the last one whose slot is at or
  // before n; -1 when none is.
  int positionOfFrame(int n) const;

  // The latest key entry a decoding run can begin at to put out the picture of
  // position j and tell it.
  int runStartFor(int j) const;
  // A run begins at key entry `start`.
  void beginRun(int start);
  // Whether the run under way will put out the picture of position j and tell
  // it, if it has not passed it yet.
  bool runPlaces(int j) const;
  // The decoder has put out the picture of `entry` (in this run's order):
  // its position, or -1 when this run cannot tell it or its picture is broken.
  int placeOutput(int entry);

 private:
  int segmentOf(int entry) const;
  int segmentEnd(int segment) const;
  bool coversSegment(int segment) const { return segment == 0 || runStart_ < keys_[segment]; }
  // Position of the key frame's picture of a segment, -1 while unknown.
  int keyShownAt(int segment) const { return shownAt_[keys_[segment]]; }

  std::vector<int> slots_;
  std::vector<int> keys_;  // entries that begin segments
  bool reordering_ = false;
  std::vector<int> shownAt_;    // entry -> position, -1 while unknown (reordering only)
  std::vector<int> pictureAt_;  // position -> entry, -1 while unknown (reordering only)
  int runStart_ = 0;
  int outputSegment_ = -1;  // segment of the run's last picture put out
  int outputsInSegment_ = 0;
  int sinceRunKey_ = -1;  // pictures put out since the run's key frame's, -1 before it
};

}  // namespace cab
