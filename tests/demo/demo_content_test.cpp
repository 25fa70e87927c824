#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "backends/picture/picture_decoder.h"
#include "backends/video-ffmpeg/ffmpeg_video_source.h"
#include "core/common/data_directory.h"
#include "core/common/sound_length_probe.h"
#include "core/data/vehicle_loader.h"
#include "core/presentation/sprite_model.h"
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

constexpr int SurfaceWidth = 800, SurfaceHeight = 785;

cab::Picture picture(const std::string& dataPath) {
  const auto bytes = cab::DataDirectory(demoDir()).readBytes(dataPath);
  EXPECT_TRUE(bytes) << dataPath;
  auto decoded = cab::PictureDecoder().decode(bytes ? *bytes : "");
  EXPECT_TRUE(std::holds_alternative<cab::Picture>(decoded)) << dataPath;
  return std::holds_alternative<cab::Picture>(decoded) ? std::get<cab::Picture>(decoded) : cab::Picture{};
}

cab::VehicleSpec vehicle(const std::string& file) {
  cab::SpriteModel sprites;
  return cab::loadVehicleFile(cab::DataDirectory(demoDir()), "", file, cab::PictureDecoder(), sprites);
}

struct Rect {
  std::string what;
  int x, y, w, h;
  bool overlaps(const Rect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
};

// Whether a picture's pixel is the transparent key (its bottom-left colour).
bool transparent(const cab::Picture& p, int x, int y) {
  return (p.at(x, y) & 0xFFFFFFu) == (p.at(0, p.height - 1) & 0xFFFFFFu);
}

int brightness(std::uint32_t argb) { return int((argb >> 16 & 255) + (argb >> 8 & 255) + (argb & 255)) / 3; }

std::vector<std::pair<std::string, const cab::Lamp*>> lamps(const cab::CabLayout& c) {
  std::vector<std::pair<std::string, const cab::Lamp*>> all = {
      {"Lamp_Door", &c.Lamp_Door}, {"Lamp_Power", &c.Lamp_Power}, {"Lamp_EB", &c.Lamp_EB},
      {"Lamp_Gen", &c.Lamp_Gen},   {"Lamp_Air", &c.Lamp_Air},     {"Lamp_Fin", &c.Lamp_Fin},
      {"Lamp_Ele", &c.Lamp_Ele},   {"Lamp_Ats1", &c.Lamp_Ats1},   {"Lamp_Ats2", &c.Lamp_Ats2},
      {"Lamp_Ats3", &c.Lamp_Ats3}, {"Lamp_ATSP1", &c.Lamp_ATSP1}, {"Lamp_ATSP2", &c.Lamp_ATSP2},
      {"Lamp_Fwd", &c.Lamp_Fwd},   {"Lamp_Back", &c.Lamp_Back},   {"Lamp_Const", &c.Lamp_Const},
      {"Lamp_Stop", &c.Lamp_Stop}, {"Lamp_TASC1", &c.Lamp_TASC1}, {"Panel2", &c.Panel2}};
  for (int i = 0; i < c.OthersCount; ++i) all.push_back({"Others " + std::to_string(i), &c.Others[size_t(i)]});
  return all;
}

std::vector<std::pair<std::string, const cab::Meter*>> needles(const cab::CabLayout& c) {
  return {{"Needle_Brake", &c.Needle_Brake}, {"Needle_Speed", &c.Needle_Speed}, {"Needle_BC", &c.Needle_BC},
          {"Needle_SAP", &c.Needle_SAP},     {"Needle_ER", &c.Needle_ER},       {"Needle_BP", &c.Needle_BP},
          {"Needle_MR", &c.Needle_MR},       {"Needle_V", &c.Needle_V},         {"Needle_I", &c.Needle_I}};
}

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

// Each vehicle's desk fills the cab surface below the video: every lamp,
// needle, bar and indicator lies on the panel picture, no two lamps cover
// each other, and the gauges a driver needs are there.
TEST(DemoContent, CabPanelsFillTheSurfaceBelowTheVideo) {
  const auto disp = after(lines(demoDir() / "vantorel.dat"), "[Disp]");
  ASSERT_GE(disp.size(), 4u);
  const int videoHeight = std::stoi(disp[3]);
  const struct {
    std::string file;
    std::vector<std::string> gauges;
  } cases[] = {{"train_E231.dat", {"Needle_Speed", "Needle_BC", "Needle_MR", "Needle_BP", "Needle_I"}},
               {"train_R80.dat", {"Needle_Speed", "Needle_BC", "Needle_MR", "Needle_BP", "Needle_I"}},
               {"train_D20.dat", {"Needle_Speed", "Needle_BC", "Needle_MR", "Needle_BP"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const cab::VehicleSpec v = vehicle(c.file);
    const cab::CabLayout& cab = v.cabLayout;
    const cab::Picture panel = picture(cab.Panel.name);
    EXPECT_EQ(cab.Panel.Left, 0);
    EXPECT_GE(cab.Panel.Top, videoHeight);
    EXPECT_EQ(panel.width, SurfaceWidth);
    EXPECT_EQ(cab.Panel.Top + panel.height, SurfaceHeight);

    std::vector<Rect> parts, lit;
    for (const auto& [name, lamp] : lamps(cab)) {
      if (lamp->name.empty()) continue;
      const cab::Picture p = picture(lamp->name);
      lit.push_back({name, lamp->Left, lamp->Top, p.width, p.height});
    }
    parts = lit;
    for (const auto& [name, meter] : needles(cab)) {
      if (meter->name.empty()) continue;
      const cab::Picture p = picture(meter->name);
      parts.push_back({name, meter->Left, meter->Top, p.width, p.height});
    }
    for (const auto& [name, pattern] :
         std::vector<std::pair<std::string, const cab::PatternPicture*>>{{"NotchImageP", &cab.NotchImageP},
                                                                         {"NotchImageB", &cab.NotchImageB},
                                                                         {"NotchImageP2", &cab.NotchImageP2},
                                                                         {"NotchImageB2", &cab.NotchImageB2},
                                                                         {"GearImageList", &cab.GearImageList},
                                                                         {"GearImageList2", &cab.GearImageList2},
                                                                         {"Digi_Speed", &cab.Digi_Speed}})
      if (!pattern->name.empty())
        parts.push_back({name, pattern->Left, pattern->Top, pattern->patternWidth, pattern->patternHeight});
    for (const auto& r : parts) {
      EXPECT_TRUE(r.x >= 0 && r.x + r.w <= SurfaceWidth && r.y >= cab.Panel.Top && r.y + r.h <= SurfaceHeight)
          << r.what << " at " << r.x << "," << r.y << " " << r.w << "x" << r.h;
    }
    for (size_t i = 0; i < lit.size(); ++i)
      for (size_t k = i + 1; k < lit.size(); ++k)
        EXPECT_FALSE(lit[i].overlaps(lit[k])) << lit[i].what << " " << lit[k].what;
    // Bars slide up from the bottom edge, their unused length below it.
    for (const cab::Meter* bar : {&cab.Needle_BC_L, &cab.Needle_MR_L, &cab.Needle_Ip_L, &cab.Needle_Ib_L})
      if (!bar->name.empty()) {
        EXPECT_EQ(bar->zero, SurfaceHeight) << bar->name;
      }
    for (const auto& gauge : c.gauges) {
      const auto all = needles(cab);
      const auto it = std::find_if(all.begin(), all.end(), [&](const auto& n) { return n.first == gauge; });
      EXPECT_FALSE(it->second->name.empty()) << gauge;
    }
    // The speedometer starts at the lower left and still shows the vehicle's top speed.
    EXPECT_EQ(cab.Needle_Speed.zero, -135);
    EXPECT_LE(double(v.MaxSpeed * cab.Needle_Speed.one + cab.Needle_Speed.zero), 135.0);
  }
}

// A needle turns about its picture's centre from pointing straight up (angle
// 0): so its picture holds the hub at the centre, the shaft above it and
// nothing beyond its short tail below or to either side.
TEST(DemoContent, NeedlesPointUpFromTheirPictureCentre) {
  for (const auto& file : Vehicles) {
    const cab::VehicleSpec v = vehicle(file);
    for (const auto& [name, meter] : needles(v.cabLayout)) {
      if (meter->name.empty()) continue;
      SCOPED_TRACE(file + " " + name);
      const cab::Picture p = picture(meter->name);
      ASSERT_EQ(p.width, p.height);
      const int c = p.width / 2, r = p.width / 2;
      EXPECT_FALSE(transparent(p, c, c));
      EXPECT_FALSE(transparent(p, c, c - r * 6 / 10));
      EXPECT_FALSE(transparent(p, c, c - r * 8 / 10));
      EXPECT_TRUE(transparent(p, c, c + r * 4 / 10));
      EXPECT_TRUE(transparent(p, c - r * 4 / 10, c));
      EXPECT_TRUE(transparent(p, c + r * 4 / 10, c));
      EXPECT_TRUE(transparent(p, c, r / 20));  // the tip stays inside the dial
    }
  }
}

// A lit lamp is drawn over the dark lens the panel picture shows at the same place.
TEST(DemoContent, LitLampsCoverTheirDarkLenses) {
  for (const auto& file : Vehicles) {
    const cab::VehicleSpec v = vehicle(file);
    const cab::Picture panel = picture(v.cabLayout.Panel.name);
    for (const auto& [name, lamp] : lamps(v.cabLayout)) {
      if (lamp->name.empty() || name == "Panel2") continue;
      SCOPED_TRACE(file + " " + name);
      const cab::Picture p = picture(lamp->name);
      EXPECT_TRUE(transparent(p, 0, p.height - 1));
      EXPECT_FALSE(transparent(p, p.width / 2, p.height / 2));
      const int x = lamp->Left + p.width / 2, y = lamp->Top - v.cabLayout.Panel.Top + p.height / 2;
      ASSERT_TRUE(x >= 0 && x < panel.width && y >= 0 && y < panel.height);
      // Sampled beside the label, where lens and lamp show their colours: the
      // lens is the lamp's colour, darkened.
      const std::uint32_t lens = panel.at(lamp->Left + 3, y), shine = p.at(3, p.height / 2);
      EXPECT_GT(brightness(shine), brightness(lens) + 60);
      const auto channel = [](std::uint32_t px, int k) { return int(px >> (16 - 8 * k) & 255); };
      const auto strongest = [&](std::uint32_t px) {
        int best = 0;
        for (int k = 1; k < 3; ++k)
          if (channel(px, k) > channel(px, best)) best = k;
        return best;
      };
      const int spread =
          channel(shine, strongest(shine)) - std::min({channel(shine, 0), channel(shine, 1), channel(shine, 2)});
      if (spread > 60) {
        EXPECT_EQ(strongest(lens), strongest(shine)) << "the lens under the lamp has another colour";
      }
    }
  }
}

// At each station's stopping frame the platform, with its yellow tactile
// strip, runs along the side the doors open on (the row's 11th field: 1 the
// right-hand side), and not along the other side.
TEST(DemoContent, PlatformsStandAtTheStopsOnTheDoorSide) {
  const auto tactileYellow = [](std::uint32_t px) {
    const int r = px >> 16 & 255, g = px >> 8 & 255, b = px & 255;
    return r - b > 80 && g - b > 50;
  };
  for (const char* route : {"line_Local_East1.dat", "line_Local_West1.dat"}) {
    const auto ls = lines(demoDir() / route);
    cab::FfmpegVideoSource video;
    ASSERT_EQ(video.open((demoDir() / "movie" / (after(ls, "[DataName]").front() + ".avi")).string()), 0);
    for (const auto& row : after(ls, "[Station]")) {
      std::vector<std::string> f;
      std::stringstream fields(row);
      for (std::string x; std::getline(fields, x, ',');) f.push_back(x);
      SCOPED_TRACE(std::string(route) + " " + f.at(0));
      cab::Picture frame;
      ASSERT_TRUE(video.frame(std::stoi(f.at(2)), frame));
      int left = 0, right = 0;
      for (int y = frame.height * 6 / 10; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
          if (tactileYellow(frame.at(x, y))) ++(x < frame.width / 2 ? left : right);
      const bool doorsRight = f.at(10) == "1";
      EXPECT_GT(doorsRight ? right : left, 20);
      EXPECT_EQ(doorsRight ? left : right, 0);
    }
  }
}
