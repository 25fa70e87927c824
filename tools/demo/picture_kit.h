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
// A Japanese-capable font of the given pixel size, drawn without
// antialiasing: for text that touches the transparent key colour.
QFont textFont(int pixels, bool bold = false);
// The same, antialiased: for text on opaque pictures.
QFont smoothFont(int pixels, bool bold = false);
// An antialiased drawing (transparent where nothing was drawn) made into a
// keyed picture: edge pixels are blended with the colour it will be shown
// on, untouched pixels become the key colour.
QImage keyedOver(const QImage& drawing, QColor surround);
// Saves a picture as the data files name it ("image\...\x.bmp"); the
// extension picks BMP, PNG or JPEG.
void savePicture(const QImage& image, const std::filesystem::path& root, const std::string& dataPath);

}  // namespace cab::demo
