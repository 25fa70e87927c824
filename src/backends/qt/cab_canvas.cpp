#include "backends/qt/cab_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>

#include "core/common/picture.h"

namespace cab::qt {

QFont videoTextFont(int size) {
  QFont font;
  font.setFamilies({"Meiryo", "Noto Sans CJK JP", "VL Gothic", "IPAGothic"});
  font.setBold(true);
  font.setItalic(true);
  // Points at 96 pixels per inch, whatever the screen.
  font.setPixelSize(std::max(1, (size * 96 + 36) / 72));
  return font;
}

CabCanvas::CabCanvas(int width, int height)
    : back_(width, height, QImage::Format_ARGB32_Premultiplied),
      front_(width, height, QImage::Format_ARGB32_Premultiplied) {
  back_.fill(Qt::black);
  front_.fill(Qt::black);
}

void CabCanvas::fill(std::uint32_t colour) { back_.fill(QColor::fromRgb(colour | 0xFF000000u)); }

void CabCanvas::drawVideoSurface(const Picture& surface) {
  // Rows are copied straight in: the surface is opaque and drawn at (0, 0).
  const int w = std::min(surface.width, back_.width());
  const int h = std::min(surface.height, back_.height());
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(back_.scanLine(y));
    const std::uint32_t* source = surface.pixels.data() + static_cast<std::size_t>(y) * surface.width;
    for (int x = 0; x < w; ++x) line[x] = source[x] | 0xFF000000u;
  }
  video_ = QSize(std::max(0, w), std::max(0, h));
}

void CabCanvas::drawVideoTexts(std::span<const VideoText> texts) {
  if (texts.empty() || video_.isEmpty()) return;
  QPainter painter(&back_);
  painter.setClipRect(QRect(QPoint(0, 0), video_));
  for (const VideoText& t : texts) {
    const QFont font = videoTextFont(t.size);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(t.colour | 0xFF000000u));
    // (x, y) is the top of the line; Qt places text by its baseline.
    painter.drawText(t.x, t.y + QFontMetrics(font).ascent(), QString::fromStdString(t.text));
  }
}

void CabCanvas::drawSprites(const SpriteModel& sprites) {
  QPainter painter(&back_);
  sprites_.draw(painter, sprites);
}

void CabCanvas::flip() { std::swap(back_, front_); }

int CabCanvas::textWidth(const std::string& text, int size) const {
  return QFontMetrics(videoTextFont(size)).horizontalAdvance(QString::fromStdString(text));
}

}  // namespace cab::qt
