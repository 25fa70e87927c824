#include <gtest/gtest.h>

#include "core/sound/wave.h"
#include "tests/sound/wave_bytes.h"

namespace cab {
namespace {

using test::WaveBytes;

struct Decoded {
  int rate;
  int channels;
  std::vector<float> samples;
};

struct DecodeCase {
  const char* name;
  std::vector<std::byte> bytes;
  std::optional<Decoded> expected;  // none: refused
};

std::vector<DecodeCase> decodeCases() {
  return {
      {"8-bit mono: 0x80 is silence, full scale both ways",
       WaveBytes().header().format(1, 1, 22050, 8).chunk("data", 4).raw({0x80, 0xFF, 0x00, 0xC0}).bytes(),
       Decoded{22050, 1, {0.0f, 127 / 128.0f, -1.0f, 0.5f}}},
      {"16-bit mono, signed little-endian",
       WaveBytes().header().format(1, 1, 44100, 16).chunk("data", 6).samples16({32767, -32768, 16384}).bytes(),
       Decoded{44100, 1, {32767 / 32768.0f, -1.0f, 0.5f}}},
      {"16-bit stereo stays interleaved",
       WaveBytes().header().format(1, 2, 11025, 16).chunk("data", 8).samples16({8192, -8192, 0, 16384}).bytes(),
       Decoded{11025, 2, {0.25f, -0.25f, 0.0f, 0.5f}}},
      {"8-bit stereo at an odd rate",
       WaveBytes().header().format(1, 2, 8000, 8).chunk("data", 2).raw({0x40, 0xA0}).bytes(),
       Decoded{8000, 2, {-0.5f, 0.25f}}},
      {"odd-sized chunk before fmt is padded to an even size",
       WaveBytes()
           .header()
           .chunk("LIST", 3)
           .raw({1, 2, 3, 0})
           .format(1, 1, 22050, 16)
           .chunk("data", 2)
           .samples16({-16384})
           .bytes(),
       Decoded{22050, 1, {-0.5f}}},
      {"data before fmt", WaveBytes().header().chunk("data", 2).samples16({16384}).format(1, 1, 22050, 16).bytes(),
       Decoded{22050, 1, {0.5f}}},
      {"a longer fmt chunk (18 bytes with cbSize) is read by its size",
       WaveBytes()
           .header()
           .chunk("fmt ", 18)
           .u16(1)
           .u16(1)
           .u32(22050)
           .u32(44100)
           .u16(2)
           .u16(16)
           .u16(0)
           .chunk("data", 2)
           .samples16({16384})
           .bytes(),
       Decoded{22050, 1, {0.5f}}},
      {"data cut short keeps what is there",
       WaveBytes().header().format(1, 1, 22050, 16).chunk("data", 100).samples16({16384, -16384}).bytes(),
       Decoded{22050, 1, {0.5f, -0.5f}}},
      {"a cut-off last stereo frame is dropped",
       WaveBytes().header().format(1, 2, 22050, 16).chunk("data", 8).samples16({16384, -16384, 8192}).bytes(),
       Decoded{22050, 2, {0.5f, -0.5f}}},
      {"empty data is a silent wave", WaveBytes().header().format(1, 1, 22050, 16).chunk("data", 0).bytes(),
       Decoded{22050, 1, {}}},
      {"extensible header with the PCM sub-format",
       WaveBytes()
           .header()
           .chunk("fmt ", 40)
           .u16(0xFFFE)
           .u16(1)
           .u32(22050)
           .u32(44100)
           .u16(2)
           .u16(16)
           .u16(22)
           .u16(16)
           .u32(4)
           .u16(1)
           .raw({0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71})
           .chunk("data", 2)
           .samples16({16384})
           .bytes(),
       Decoded{22050, 1, {0.5f}}},
      {"empty buffer", {}, std::nullopt},
      {"shorter than the RIFF header", WaveBytes().text("RIFF").u32(4).text("WAV").bytes(), std::nullopt},
      {"not RIFF", WaveBytes().text("RIFX").u32(0).text("WAVE").format(1, 1, 22050, 16).bytes(), std::nullopt},
      {"RIFF but not WAVE", WaveBytes().text("RIFF").u32(0).text("AVI ").format(1, 1, 22050, 16).bytes(), std::nullopt},
      {"no fmt chunk", WaveBytes().header().chunk("data", 2).samples16({1}).bytes(), std::nullopt},
      {"no data chunk", WaveBytes().header().format(1, 1, 22050, 16).bytes(), std::nullopt},
      {"fmt chunk shorter than 16 bytes",
       WaveBytes().header().chunk("fmt ", 14).u16(1).u16(1).u32(22050).u32(44100).u16(2).chunk("data", 0).bytes(),
       std::nullopt},
      {"fmt chunk cut off by the end of the file",
       WaveBytes().header().chunk("fmt ", 16).u16(1).u16(1).u32(22050).bytes(), std::nullopt},
      {"IEEE float is not PCM", WaveBytes().header().format(3, 1, 22050, 32).chunk("data", 4).u32(0).bytes(),
       std::nullopt},
      {"ADPCM is not PCM", WaveBytes().header().format(2, 1, 22050, 4).chunk("data", 2).u16(0).bytes(), std::nullopt},
      {"extensible header with a float sub-format",
       WaveBytes()
           .header()
           .chunk("fmt ", 40)
           .u16(0xFFFE)
           .u16(1)
           .u32(22050)
           .u32(88200)
           .u16(4)
           .u16(32)
           .u16(22)
           .u16(32)
           .u32(4)
           .u16(3)
           .raw({0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71})
           .chunk("data", 4)
           .u32(0)
           .bytes(),
       std::nullopt},
      {"24-bit PCM", WaveBytes().header().format(1, 1, 22050, 24).chunk("data", 3).raw({0, 0, 0}).bytes(),
       std::nullopt},
      {"three channels", WaveBytes().header().format(1, 3, 22050, 16).chunk("data", 6).samples16({0, 0, 0}).bytes(),
       std::nullopt},
      {"no sample rate", WaveBytes().header().format(1, 1, 0, 16).chunk("data", 2).samples16({0}).bytes(),
       std::nullopt},
      {"a chunk claiming 4 GiB before fmt ends the walk inside the file",
       WaveBytes().header().chunk("LIST", 0xFFFFFFFF).format(1, 1, 22050, 16).chunk("data", 0).bytes(), std::nullopt},
  };
}

TEST(DecodeWave, DecodesPcmAndRefusesEverythingElseWithAReason) {
  for (const DecodeCase& c : decodeCases()) {
    SCOPED_TRACE(c.name);
    std::string error;
    const std::optional<Wave> wave = decodeWave(c.bytes, &error);
    if (!c.expected) {
      EXPECT_FALSE(wave);
      EXPECT_FALSE(error.empty());
      continue;
    }
    ASSERT_TRUE(wave) << error;
    EXPECT_EQ(wave->sampleRate, c.expected->rate);
    EXPECT_EQ(wave->channelCount, c.expected->channels);
    EXPECT_EQ(wave->samples, c.expected->samples);
    EXPECT_EQ(wave->frameCount(), c.expected->samples.size() / std::size_t(c.expected->channels));
  }
}

// Every prefix of a good file is decoded or refused, never read past its end.
TEST(DecodeWave, EveryTruncationOfAGoodFileIsSafe) {
  const std::vector<std::byte> whole =
      WaveBytes().header(44).format(1, 2, 22050, 16).chunk("data", 8).samples16({1, 2, 3, 4}).bytes();
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    const std::vector<std::byte> prefix(whole.begin(), whole.begin() + std::ptrdiff_t(size));
    const std::optional<Wave> wave = decodeWave(prefix);
    if (wave) {
      EXPECT_LE(wave->samples.size() * 2, size - 44) << size;
    }
  }
  EXPECT_TRUE(decodeWave(whole));
}

}  // namespace
}  // namespace cab
