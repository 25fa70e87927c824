#pragma once

#include <filesystem>
#include <string>

#include "core/common/picture.h"

namespace cab::testvideo {

enum class Codec { Mjpeg, Mpeg4 };

// Writes an AVI of `frames` frames, key frames every 30 and no B-frames. Frame n
// shows n as a 4 x 3 grid of black and white blocks (bit 0 top left), under a
// faint texture that changes from frame to frame so the codec has real work.
void writeNumberedVideo(const std::filesystem::path& path, Codec codec, int frames, int width, int height,
                        int fps = 30);

// The number a decoded picture shows, or -1 when a block is neither black nor white.
int numberShown(const Picture& picture);

// Writes an AVI that holds only a sound stream.
void writeAudioOnlyAvi(const std::filesystem::path& path);

}  // namespace cab::testvideo
