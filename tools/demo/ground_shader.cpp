#include "ground_shader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace cab::demo {

namespace {

using namespace track;

// One screen row: lateral ground positions u (metres from the track centre)
// map to x = centre + (lateral + u) × scale.
class Row {
 public:
  Row(uint32_t* pixels, int width, double centre, double scale)
      : px_(pixels), width_(width), centre_(centre), scale_(scale) {}
  double x(double u) const { return centre_ + u * scale_; }
  double scale() const { return scale_; }
  double leftU() const { return -centre_ / scale_; }
  double rightU() const { return (width_ - centre_) / scale_; }

  // Covers [u0, u1] with a colour at the given opacity; partly covered edge
  // pixels blend by their coverage.
  void paint(double u0, double u1, Rgb c, double alpha = 1) {
    if (alpha <= 0.004) return;
    const double x0 = std::max(0.0, x(u0)), x1 = std::min(double(width_), x(u1));
    if (x1 <= x0) return;
    const int first = int(x0), last = std::min(width_ - 1, int(std::ceil(x1)) - 1);
    if (first == last) {
      px_[first] = blend(px_[first], c, alpha * (x1 - x0));
      return;
    }
    px_[first] = blend(px_[first], c, alpha * (first + 1 - x0));
    px_[last] = blend(px_[last], c, alpha * (x1 - last));
    if (alpha >= 0.996) {
      std::fill(px_ + first + 1, px_ + last, pack(c));
      return;
    }
    const int a = int(alpha * 256);
    const int r = int(c.r) * a, g = int(c.g) * a, b = int(c.b) * a;
    for (int p = first + 1; p < last; ++p) {
      const uint32_t old = px_[p];
      const int keep = 256 - a;
      px_[p] = 0xFF000000u | uint32_t(((old >> 16 & 255) * keep + r) >> 8) << 16 |
               uint32_t(((old >> 8 & 255) * keep + g) >> 8) << 8 | uint32_t(((old & 255) * keep + b) >> 8);
    }
  }

 private:
  static uint32_t pack(Rgb c) {
    const auto v = [](double x) { return uint32_t(std::clamp(int(x + 0.5), 0, 255)); };
    return 0xFF000000u | v(c.r) << 16 | v(c.g) << 8 | v(c.b);
  }
  static uint32_t blend(uint32_t p, Rgb c, double a) {
    const Rgb old{double(p >> 16 & 255), double(p >> 8 & 255), double(p & 255)};
    return pack(mix(old, c, a));
  }
  uint32_t* px_;
  int width_;
  double centre_, scale_;
};

// Length of [a0, a1] that a pattern of `width`-long pieces every `pitch` covers.
double patternCover(double a0, double a1, double pitch, double width) {
  const auto covered = [&](double x) {
    const double k = std::floor(x / pitch);
    return k * width + std::min(x - k * pitch, width);
  };
  return a1 > a0 ? (covered(a1) - covered(a0)) / (a1 - a0) : 0;
}

double overlap(double a0, double a1, double b0, double b1) {
  return a1 > a0 ? std::max(0.0, std::min(a1, b1) - std::max(a0, b0)) / (a1 - a0) : 0;
}

// Field, lot and undergrowth colours in daylight, by zone.
Rgb terrainColour(LineScenery::Zone zone, double pick) {
  static const Rgb fields[] = {{92, 140, 58}, {106, 150, 70}, {134, 118, 82}, {120, 146, 74}, {150, 140, 96}};
  static const Rgb town[] = {{150, 142, 128}, {108, 140, 82}, {122, 130, 96}, {138, 132, 118}};
  static const Rgb forest[] = {{56, 84, 46}, {64, 92, 52}, {50, 76, 44}};
  switch (zone) {
    case LineScenery::Zone::Town:
      return town[int(pick * 4)];
    case LineScenery::Zone::Forest:
      return forest[int(pick * 3)];
    default:
      return fields[int(pick * 5)];
  }
}

// What a row shows and how strongly, from the stretch of line it covers.
struct RowScene {
  double z = 0, a = 0;         // distance and line position of the row's centre
  double aFar = 0, aNear = 0;  // the line positions its top and bottom edges see
  double road = 0;             // share of the row on a road crossing
  double water = 0, bank = 0;  // under a bridge / on a river bank
  const Span* bridge = nullptr;
  bool tunnel = false;
  double headlight = 1;  // light inside a tunnel
};

class GroundPainter {
 public:
  explicit GroundPainter(const GroundView& v) : v_(v), cam_(v.camera), light_(v.light) {}

  void paintRow(uint32_t* pixels, double yTop, double yBottom) {
    RowScene r;
    r.z = cam_.groundAt((yTop + yBottom) / 2);
    const double zTop = cam_.groundAt(yTop), zBottom = cam_.groundAt(yBottom);
    const double m = cam_.metres();
    r.a = m + r.z;
    r.aFar = m + (zTop < 0 ? Camera::Reach : zTop);
    r.aNear = m + std::max(Camera::Near, zBottom);
    for (double c : v_.scenery.plan.crossings) r.road += overlap(r.aNear, r.aFar, c - 3, c + 3);
    for (const auto& b : v_.scenery.plan.bridges) {
      const double w = overlap(r.aNear, r.aFar, b.from, b.to);
      if (w > 0) r.water = w, r.bridge = &b;
      r.bank += overlap(r.aNear, r.aFar, b.from - 12, b.from) + overlap(r.aNear, r.aFar, b.to, b.to + 12);
    }
    r.tunnel = v_.scenery.inTunnel(r.a);
    if (r.tunnel) r.headlight = 0.05 + 0.95 / (1 + (r.z / 10) * (r.z / 10));
    scene_ = r;
    Row row(pixels, cam_.width(), cam_.width() / 2.0 + cam_.lateral(r.z) * cam_.focal() / r.z, cam_.focal() / r.z);
    terrain(row);
    // Passing loops and a branch: where they leave the line their rails run
    // over the main track's bed, so the bed of each is laid first.
    std::vector<double> others;
    for (const SideTrack& t : v_.scenery.sideTracks)
      if (std::fabs(t.offsetAt(r.a)) > 0.01) others.push_back(t.offsetAt(r.a));
    if (v_.branch) others.push_back(std::min(4.0, r.z * r.z / 1500));
    for (double o : others) ballast(row, o, std::fabs(o) < 2 ? 0.6 : 1);
    trackBed(row);
    for (double o : others) sleepers(row, o);
    for (double o : others) rails(row, o);
    rails(row, 0);
  }

  void farGround(uint32_t* pixels) {
    Row row(pixels, cam_.width(), cam_.width() / 2.0, 1);
    row.paint(row.leftU(), row.rightU(), light_.far({110, 140, 80}, Camera::Reach));
  }

 private:
  // The track bed's colours: inside a tunnel only the headlight lights it.
  Rgb lit(Rgb day) const {
    if (scene_.tunnel) return scaled(day, scene_.headlight);
    return light_.far(day, scene_.z);
  }
  Rgb litTerrain(Rgb day) const { return light_.far(day, scene_.z); }

  // Fields, lots or undergrowth beside the line (inside a tunnel, the
  // hillside and the walls cover them), the tube's floor, rivers and roads.
  void terrain(Row& row) {
    const RowScene& r = scene_;
    const auto zone = v_.scenery.zoneAt(r.a);
    // Far rows see a long stretch: their fields fade into the mean colour.
    const double detail = std::clamp(1.4 - (r.aFar - r.aNear) / 14, 0.0, 1.0);
    const Rgb verge{104, 134, 72}, mean = terrainColour(zone, 0.5);
    const long along = long(std::floor(r.a / 34));
    for (int side : {-1, 1}) {
      double u = 6.5;
      const double end = side < 0 ? -row.leftU() : row.rightU();
      row.paint(side < 0 ? -u : Cess, side < 0 ? -Cess : u, litTerrain(verge));
      for (int k = 0; u < end; ++k) {
        const double width = 14 + 14 * hash01(k * 2 + (side > 0), 21);
        const Rgb field = mix(mean, terrainColour(zone, hash01(along * 131 + k * 7 + (side > 0) * 3, 22)), detail);
        const double u0 = side < 0 ? -(u + width) : u, u1 = side < 0 ? -u : u + width;
        row.paint(u0, u1, litTerrain(field));
        if (zone == LineScenery::Zone::Fields)  // the levee between two fields
          row.paint(side < 0 ? -u - 0.7 : u, side < 0 ? -u : u + 0.7, litTerrain({150, 152, 100}), 0.8);
        u += width;
      }
    }
    if (r.bank > 0) {
      row.paint(row.leftU(), -BallastFoot, litTerrain({124, 104, 80}), r.bank);
      row.paint(BallastFoot, row.rightU(), litTerrain({124, 104, 80}), r.bank);
    }
    if (r.water > 0) {
      const double inner = r.bridge->value > 0 ? 2.7 : 2.05;
      const Rgb water = mix({78, 118, 138}, light_.dusk() ? Rgb{250, 170, 120} : Rgb{170, 200, 220}, 0.25);
      row.paint(row.leftU(), -inner, litTerrain(water), r.water);
      row.paint(inner, row.rightU(), litTerrain(water), r.water);
    }
    if (r.road > 0) row.paint(row.leftU(), row.rightU(), litTerrain({76, 76, 80}), r.road);
    if (r.tunnel) row.paint(-2.5, 2.5, lit({70, 68, 64}));
  }

  // The main track's ballast and sleepers (on a girder bridge its timbers),
  // and a crossing's deck between the rails.
  void trackBed(Row& row) {
    const RowScene& r = scene_;
    if (r.water > 0 && r.bridge->value == 0) {
      // An open-deck girder: timbers over the girders, walkways beside them.
      row.paint(-2.05, 2.05, lit({40, 52, 58}), r.water);
      row.paint(-2.05, -1.3, lit({118, 118, 116}), r.water);
      row.paint(1.3, 2.05, lit({118, 118, 116}), r.water);
      const double cover = patternCover(r.aNear - v_.blurMetres, r.aFar, 0.5, 0.24);
      row.paint(-1.25, 1.25, lit({88, 70, 56}), r.water * std::max(cover, 0.3));
      if (r.water < 1) {
        ballast(row, 0, 1 - r.water);
        sleepers(row, 0, 1 - r.water);
      }
    } else {
      ballast(row, 0, 1);
      sleepers(row, 0);
    }
    if (r.road > 0) row.paint(-1.5, 1.5, lit({48, 48, 52}), r.road);
  }

  void ballast(Row& row, double o, double alpha) {
    const Rgb shoulder{112, 106, 98}, top{144, 136, 126}, stained{118, 108, 98}, path{150, 142, 122};
    if (!scene_.tunnel) {
      row.paint(o - Cess, o - BallastFoot, lit(path), alpha);
      row.paint(o + BallastFoot, o + Cess, lit(path), alpha);
    }
    row.paint(o - BallastFoot, o - BallastTop, lit(shoulder), alpha);
    row.paint(o + BallastTop, o + BallastFoot, lit(shoulder), alpha);
    row.paint(o - BallastTop, o + BallastTop, lit(top), alpha);
    row.paint(o - 0.42, o + 0.42, lit(stained), alpha);
  }

  void sleepers(Row& row, double o, double alpha = 1) {
    const RowScene& r = scene_;
    const double cover = patternCover(r.aNear - v_.blurMetres, r.aFar, SleeperPitch, SleeperWidth);
    row.paint(o - SleeperHalfLength, o + SleeperHalfLength, lit({168, 164, 156}), cover * alpha);
  }

  void rails(Row& row, double o) {
    for (double side : {-RailCentre, RailCentre}) {
      row.paint(o + side - 0.075, o + side + 0.075, lit({96, 74, 60}));  // web and foot, rusty
      row.paint(o + side - RailHead / 2, o + side + RailHead / 2, lit({214, 214, 220}));
    }
  }

  const GroundView& v_;
  const Camera& cam_;
  const SceneLight& light_;
  RowScene scene_;
};

}  // namespace

void shadeGround(QImage& image, const GroundView& view) {
  GroundPainter painter(view);
  const Camera& cam = view.camera;
  for (int y = cam.height() - 1; y >= 0; --y) {
    auto* pixels = reinterpret_cast<uint32_t*>(image.scanLine(y));
    if (cam.groundAt(y + 0.5) > 0)
      painter.paintRow(pixels, y, y + 1);
    else if (y > cam.horizon())
      painter.farGround(pixels);
    else
      break;
  }
}

}  // namespace cab::demo
