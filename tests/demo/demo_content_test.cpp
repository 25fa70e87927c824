#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/sound_length_probe.h"
#include "tests/demo/demo_set.h"
#include "tests/headless/run_headless.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace fs = std::filesystem;
using cab::testing::after;
using cab::testing::demoDir;
using cab::testing::lines;
using cab::testing::readAll;

namespace {

bool hasLine(const std::vector<std::string>& ls, const std::string& key) {
  return std::find(ls.begin(), ls.end(), key) != ls.end();
}

fs::path onDisk(std::string p) {
  for (char& c : p)
    if (c == '\\') c = '/';
  return demoDir() / p;
}

const std::vector<std::string> Routes = {"line_Local_East1.dat", "line_Local_East2.dat", "line_Local_West1.dat",
                                         "line_Local_West2.dat", "line_Local_West3.dat"};
const std::vector<std::string> Vehicles = {"train_E231.dat", "train_R80.dat", "train_D20.dat"};

}  // namespace

TEST(DemoContent, DataFilesDecodeAndHoldTheirKeys) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
      {"vantorel.dat", {"[Disp]", "[Path]", "[Stops]", "[InfoLabel]", "[Save]"}},
      {"train_E231.dat", {"[Handle]", "[Notch]", "[DriveSound]", "[Panel]", "[Digi_Speed]", "[Others]"}},
      {"train_R80.dat", {"[CurrentP]", "[CurrentB]", "[Suppress]", "[Hold]"}},
      {"train_D20.dat", {"[Engine]", "[Gear_Type]", "[EngineSound3]", "[GearImageList2]"}},
  };
  for (const auto& [file, keys] : expected) {
    const auto ls = lines(demoDir() / file);
    for (const auto& k : keys) EXPECT_TRUE(hasLine(ls, k)) << file << " " << k;
  }
  for (const auto& r : Routes) {
    const auto ls = lines(demoDir() / r);
    for (const char* k : {"[LineName]", "[Station]", "[Signal]", "[Signal2]", "[SpeedUnit]", "[MovieStop]", "[Cross]"})
      EXPECT_TRUE(hasLine(ls, k)) << r << " " << k;
    EXPECT_EQ(after(ls, "[Signal]").size(), after(ls, "[Signal2]").size()) << r;
  }
  EXPECT_EQ(after(lines(demoDir() / "mascon.dat"), "MCP01").size() + 1, 23u);
  EXPECT_EQ(lines(demoDir() / "operation.dat").front(), "操作説明");
}

TEST(DemoContent, EveryNamedFileExists) {
  std::vector<std::string> files = {"vantorel.dat", "mascon.dat", "operation.dat", "image\\title\\title2.jpg",
                                    "image\\title\\train1.bmp"};
  for (const auto& f : files) EXPECT_TRUE(fs::exists(onDisk(f))) << f;
  std::vector<std::string> dats = Routes;
  dats.insert(dats.end(), Vehicles.begin(), Vehicles.end());
  for (const auto& d : dats)
    for (const auto& l : lines(demoDir() / d)) {
      std::stringstream fields(l);
      for (std::string f; std::getline(fields, f, ',');)
        for (const char* ext : {".bmp", ".jpg", ".png", ".wav"}) {
          if (f.size() > 4 && f.ends_with(ext)) {
            EXPECT_TRUE(fs::exists(onDisk(f))) << d << ": " << f;
          }
        }
    }
}

TEST(DemoContent, WaveHeadersAreHonest) {
  int count = 0;
  for (const auto& e : fs::recursive_directory_iterator(demoDir() / "sound")) {
    const std::string bytes = readAll(e.path());
    ASSERT_GT(bytes.size(), 44u);
    const auto u32 = [&](size_t at) {
      return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
             uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
    };
    EXPECT_EQ(u32(4), bytes.size() - 8) << e.path();
    EXPECT_EQ(u32(40), bytes.size() - 44) << e.path();
    const auto length = cab::probeSoundLength(bytes);
    EXPECT_TRUE(length.error.empty());
    EXPECT_EQ(length.seconds, int((bytes.size() - 44) / 44100)) << e.path();
    ++count;
  }
  EXPECT_GT(count, 40);
}

TEST(DemoContent, VideosHoldTheFramesTheRoutesNeed) {
  for (const auto& r : Routes) {
    const auto ls = lines(demoDir() / r);
    const std::string name = after(ls, "[DataName]").front();
    const fs::path video = demoDir() / "movie" / (name + ".avi");
    AVFormatContext* format = nullptr;
    ASSERT_EQ(avformat_open_input(&format, video.string().c_str(), nullptr, nullptr), 0) << video;
    ASSERT_GE(avformat_find_stream_info(format, nullptr), 0);
    long frames = 0;
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(format, packet) >= 0) {
      ++frames;
      av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&format);
    const auto units = after(ls, "[SpeedUnit]");
    ASSERT_FALSE(units.empty());
    const long lastFrame = std::stol(units.back().substr(units.back().find(',') + 1));
    EXPECT_EQ(frames, lastFrame + 1) << r;
    for (const auto& stop : after(ls, "[MovieStop]")) EXPECT_LT(std::stol(stop), frames) << r;
  }
}

// Every route with every vehicle loads (video included) and drives without a halt or a message.
TEST(DemoContent, EveryRouteDrivesWithEveryVehicle) {
  for (const auto& r : Routes)
    for (const auto& v : Vehicles) {
      const auto result = cab::testing::runHeadless("--data " + cab::testing::quoted(demoDir()) + " --route " + r +
                                                    " --vehicle " + v + " --seconds 5");
      EXPECT_EQ(result.exitStatus, 0) << r << " " << v << "\n" << result.err;
      EXPECT_EQ(result.err, "") << r << " " << v;
    }
}
