#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/common/data_directory.h"
#include "core/data/route_loader.h"
#include "core/data/ui_strings.h"
#include "core/platform/picture_loader.h"
#include "core/presentation/sprite_model.h"

namespace cab::testing {

// A picture file of these tests holds its size as text, "width height".
class FakePictureLoader : public PictureLoader {
 public:
  Result decode(std::string_view bytes) const override {
    std::istringstream in{std::string(bytes)};
    int w = 0, h = 0;
    if (!(in >> w >> h) || w <= 0 || h <= 0) return Error{"not a picture"};
    Picture p(w, h, 0xFF102030u);
    p.at(0, h - 1) = 0xFF00FF00u;  // the key colour
    return p;
  }
};

// A temporary data directory with a sprite model and image lists to load into;
// its name holds the process id, since CTest runs the tests of one fixture in
// parallel processes.
class RouteDirectory {
 public:
  explicit RouteDirectory(const std::string& name)
      : root_(std::filesystem::temp_directory_path() / ("cabview-route-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(root_);
    strings.videoWidth = 640;
    strings.videoHeight = 480;
  }
  ~RouteDirectory() { std::filesystem::remove_all(root_); }

  void write(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories((root_ / name).parent_path());
    std::ofstream(root_ / name, std::ios::binary) << bytes;
  }
  void picture(const std::string& name, int w = 200, int h = 100) const {
    write(name, std::to_string(w) + " " + std::to_string(h));
  }
  RouteData load(std::string_view bytes, const std::string& vehicle = "train_E231.dat") {
    return loadRoute(bytes, vehicle, target());
  }
  RouteImageTarget target() { return {data, pictures, strings, sprites, lists}; }
  const std::filesystem::path& root() const { return root_; }

  std::filesystem::path root_;
  DataDirectory data{root_};
  FakePictureLoader pictures;
  UiStrings strings;
  SpriteModel sprites;
  RouteImageLists lists;
};

inline std::string fixtureBytes(const std::string& name) {
  std::ifstream in(std::string(CABVIEW_FIXTURES) + "/route/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace cab::testing
