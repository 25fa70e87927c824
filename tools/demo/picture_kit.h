#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <filesystem>
#include <string>

namespace cab::demo {

// The colour that marks transparent pixels: the loaders take the colour of
// a picture's bottom-left pixel as transparent, so every keyed picture keeps
// that pixel in this colour.
inline const QColor KeyColour(255, 0, 255);

QImage canvas(int width, int height, QColor fill = KeyColour);
// A Japanese-capable font of the given pixel size.
QFont textFont(int pixels, bool bold = false);
// Saves a picture as the data files name it ("image\...\x.bmp"); the
// extension picks BMP, PNG or JPEG.
void savePicture(const QImage& image, const std::filesystem::path& root, const std::string& dataPath);

}  // namespace cab::demo
