#include "picture_kit.h"

#include <QStringList>
#include <stdexcept>

#include "data_file.h"

namespace cab::demo {

QImage canvas(int width, int height, QColor fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

QFont textFont(int pixels, bool bold) {
  QFont font;
  font.setFamilies(QStringList{"Noto Sans CJK JP", "VL Gothic", "IPAGothic"});
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QFont smoothFont(int pixels, bool bold) {
  QFont font = textFont(pixels, bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QImage keyedOver(const QImage& drawing, QColor surround) {
  QImage out(drawing.size(), QImage::Format_RGB32);
  const QImage argb = drawing.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      const int a = qAlpha(in[x]);
      const auto over = [a](int c, int s) { return (c * a + s * (255 - a) + 127) / 255; };
      line[x] = a == 0 ? KeyColour.rgb()
                       : qRgb(over(qRed(in[x]), surround.red()), over(qGreen(in[x]), surround.green()),
                              over(qBlue(in[x]), surround.blue()));
    }
  }
  return out;
}

void savePicture(const QImage& image, const std::filesystem::path& root, const std::string& dataPath) {
  const auto path = diskPath(root, dataPath);
  std::filesystem::create_directories(path.parent_path());
  const auto ext = path.extension().string();
  const char* format = ext == ".png" ? "PNG" : ext == ".jpg" ? "JPEG" : "BMP";
  if (!image.save(QString::fromStdString(path.string()), format, format[0] == 'J' ? 90 : -1))
    throw std::runtime_error("cannot save picture " + path.string());
}

}  // namespace cab::demo
