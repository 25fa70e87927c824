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

void savePicture(const QImage& image, const std::filesystem::path& root, const std::string& dataPath) {
  const auto path = diskPath(root, dataPath);
  std::filesystem::create_directories(path.parent_path());
  const auto ext = path.extension().string();
  const char* format = ext == ".png" ? "PNG" : ext == ".jpg" ? "JPEG" : "BMP";
  if (!image.save(QString::fromStdString(path.string()), format, format[0] == 'J' ? 90 : -1))
    throw std::runtime_error("cannot save picture " + path.string());
}

}  // namespace cab::demo
