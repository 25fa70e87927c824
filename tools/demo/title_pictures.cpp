#include "title_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "avi_writer.h"
#include "picture_kit.h"
#include "track_renderer.h"

namespace cab::demo {

namespace {

constexpr int TitleWidth = 900, TitleHeight = 600;
constexpr int ButtonWidth = 700, ButtonHeight = 60;
constexpr int TrainButtonWidth = 200, TrainButtonHeight = 60;
constexpr int CursorWidth = 41, CursorHeight = 33;
constexpr int PromptWidth = 193, PromptHeight = 47;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// Text with a dark outline, readable over any part of a picture.
void outlinedText(QPainter& p, const QRect& box, const QString& text, const QFont& font, QColor fill, int outline) {
  QPainterPath path;
  const QFontMetrics metrics(font);
  const QRect bounds = metrics.boundingRect(text);
  const QPointF origin(box.center().x() - bounds.width() / 2.0 - bounds.left(),
                       box.center().y() + (metrics.ascent() - metrics.descent()) / 2.0);
  path.addText(origin, font, text);
  p.setRenderHint(QPainter::Antialiasing);
  p.strokePath(path, QPen(QColor(10, 15, 30, 220), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.fillPath(path, fill);
}

// The program's name over a band across the upper sky.
void drawTitle(QPainter& p, int width, int height) {
  QLinearGradient band(0, height * 0.08, 0, height * 0.34);  // the upper third
  band.setColorAt(0, QColor(0, 0, 0, 0));
  band.setColorAt(0.3, QColor(0, 10, 30, 120));
  band.setColorAt(0.7, QColor(0, 10, 30, 120));
  band.setColorAt(1, QColor(0, 0, 0, 0));
  p.fillRect(QRect(0, 0, width, height / 2), band);
  const auto at = [height](int percent) { return height * percent / 100; };
  outlinedText(p, QRect(0, at(11), width, at(13)), q("鉄道運転シミュレータ"),
               smoothFont(height * 64 / TitleHeight, true), Qt::white, std::max(2, height / 100));
  outlinedText(p, QRect(0, at(24), width, at(6)), q("東湊線・西峰線"), smoothFont(height * 26 / TitleHeight),
               QColor(255, 236, 170), std::max(2, height / 150));
}

// A view from the cab at a place on a line, `metres` along it.
QImage view(const LinePlan& plan, double metres, int width, int height) {
  TrackRenderer renderer(plan, width, height);
  return renderer.render({metres, 0, 0}).convertToFormat(QImage::Format_RGB32);
}

void writeTitles(const std::filesystem::path& root, const LinePlan& east, const LinePlan& west) {
  // Before the east line's second station, before its truss bridge, the west
  // line in its first curve at dusk, and before its tunnel.
  const struct {
    const LinePlan& plan;
    double metres;
  } shots[] = {{east, east.stations[1].metres - 70},
               {east, east.bridges.front().from - 90},
               {west, west.curves.front().from + 120},
               {west, west.tunnels.front().from - 100}};
  int n = 1;
  for (const auto& shot : shots) {
    QImage title = view(shot.plan, shot.metres, TitleWidth, TitleHeight);
    QPainter p(&title);
    drawTitle(p, TitleWidth, TitleHeight);
    p.end();
    savePicture(title, root, "image\\title\\title0" + std::to_string(n++) + ".jpg");
  }
}

// The menu: a dimmed view with the heading above the buttons and the hints
// beside the train button.
void writeMenuPicture(const std::filesystem::path& root, const LinePlan& east) {
  QImage menu = view(east, east.stations.front().metres + 160, TitleWidth, TitleHeight);
  QPainter p(&menu);
  p.fillRect(menu.rect(), QColor(5, 10, 25, 175));
  outlinedText(p, QRect(0, 50, TitleWidth, 70), q("路線を選んでください"), smoothFont(40, true), Qt::white, 3);
  p.setPen(QColor(220, 225, 235));
  p.setFont(smoothFont(16));
  p.drawText(QRect(50, 495, 580, 30), Qt::AlignLeft | Qt::AlignVCenter,
             q("路線を選ぶと右に列車のボタンが出ます。クリックで運転を始めます。"));
  p.drawText(QRect(50, 522, 580, 30), Qt::AlignLeft | Qt::AlignVCenter,
             q("右クリックでほかの車両ファイルを選んで運転できます。"));
  p.end();
  savePicture(menu, root, "image\\title\\title2.jpg");
}

// A button: the line's colour at its left edge, the route's name on a dark face.
void writeRouteButtons(const std::filesystem::path& root, const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool east = names[i].find("東湊線") != std::string::npos;
    const QColor line = east ? QColor(40, 120, 210) : QColor(220, 110, 40);
    QImage button(ButtonWidth, ButtonHeight, QImage::Format_RGB32);
    QPainter p(&button);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, ButtonHeight);
    face.setColorAt(0, QColor(55, 60, 72));
    face.setColorAt(1, QColor(22, 24, 30));
    p.fillRect(button.rect(), face);
    p.fillRect(QRect(0, 0, 14, ButtonHeight), line);
    p.setPen(QPen(line.lighter(130), 2));
    p.drawRect(QRectF(1, 1, ButtonWidth - 2, ButtonHeight - 2));
    p.setPen(Qt::white);
    p.setFont(smoothFont(26, true));
    p.drawText(QRect(34, 0, ButtonWidth - 40, ButtonHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QString::fromStdString(names[i]));
    p.end();
    savePicture(button, root, "image\\title\\line0" + std::to_string(i + 1) + ".bmp");
  }
}

void writeTrainButton(const std::filesystem::path& root) {
  QImage button(TrainButtonWidth, TrainButtonHeight, QImage::Format_RGB32);
  QPainter p(&button);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(button.rect(), QColor(30, 110, 60));
  p.setPen(QPen(QColor(150, 220, 160), 2));
  p.drawRect(QRectF(1, 1, TrainButtonWidth - 2, TrainButtonHeight - 2));
  // A commuter train's front: the body, its windows and the line-colour band.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(225, 228, 232));
  p.drawRoundedRect(QRectF(10, 10, 40, 42), 6, 6);
  p.setBrush(QColor(30, 40, 55));
  p.drawRect(QRectF(14, 15, 32, 14));
  p.setBrush(QColor(40, 160, 80));
  p.drawRect(QRectF(10, 33, 40, 5));
  p.setBrush(QColor(255, 240, 180));
  p.drawEllipse(QRectF(14, 42, 5, 5));
  p.drawEllipse(QRectF(41, 42, 5, 5));
  p.setPen(Qt::white);
  p.setFont(smoothFont(18, true));
  p.drawText(QRect(58, 8, 138, 26), Qt::AlignCenter, q("この列車で運転"));
  p.setFont(smoothFont(13));
  p.drawText(QRect(58, 32, 138, 22), Qt::AlignCenter, q("通勤形電車"));
  p.end();
  savePicture(button, root, "image\\title\\train1.bmp");
}

// The marker and the prompt stand keyed over the pictures: drawn without
// antialiasing on the key colour, with a margin that keeps the bottom-left
// pixel in it.
void writeCursorAndPrompt(const std::filesystem::path& root) {
  QImage cursor = canvas(CursorWidth, CursorHeight);
  {
    QPainter p(&cursor);
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.setBrush(QColor(255, 210, 40));
    p.drawPolygon(QPolygon{QPoint(3, 3), QPoint(37, 16), QPoint(3, 29), QPoint(11, 16)});
  }
  savePicture(cursor, root, "image\\title\\cursor.bmp");

  QImage prompt = canvas(PromptWidth, PromptHeight);
  {
    QPainter p(&prompt);
    const QFont font = textFont(19, true);
    p.setFont(font);
    const QRect box(0, 0, PromptWidth, PromptHeight - 4);
    const QString text = q("クリックでスタート");
    p.setPen(QColor(10, 15, 30));
    for (int dx = -2; dx <= 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy) p.drawText(box.translated(dx, dy), Qt::AlignCenter, text);
    p.setPen(QColor(255, 236, 120));
    p.drawText(box, Qt::AlignCenter, text);
  }
  savePicture(prompt, root, "image\\title\\cts.bmp");
}

}  // namespace

void writeTitleScreen(const std::filesystem::path& root, const std::vector<std::string>& routeNames,
                      const LinePlan& east, const LinePlan& west) {
  writeTitles(root, east, west);
  writeMenuPicture(root, east);
  writeRouteButtons(root, routeNames);
  writeTrainButton(root);
  writeCursorAndPrompt(root);
}

void writeOpeningMovie(const std::filesystem::path& root, const LinePlan& east, VideoSize size) {
  constexpr int Seconds = 6;
  constexpr double Kmh = 60;
  const int frames = Seconds * east.fps;
  const double start = east.stations.front().metres + 120;
  TrackRenderer renderer(east, size.width, size.height);
  const auto file = root / "move" / "opening.avi";
  std::filesystem::create_directories(file.parent_path());
  AviWriter avi(file, size.width, size.height, east.fps);
  for (int f = 0; f < frames; ++f) {
    const double seconds = double(f) / east.fps;
    QImage frame = renderer.render({start + Kmh / 3.6 * seconds, Kmh, seconds}).convertToFormat(QImage::Format_RGB32);
    // The name fades in over the third and fourth seconds and stays.
    const double shown = std::clamp((seconds - 2.0) / 1.5, 0.0, 1.0);
    if (shown > 0) {
      QImage overlay(frame.size(), QImage::Format_ARGB32_Premultiplied);
      overlay.fill(Qt::transparent);
      QPainter o(&overlay);
      drawTitle(o, size.width, size.height);
      o.end();
      QPainter p(&frame);
      p.setOpacity(shown);
      p.drawImage(0, 0, overlay);
    }
    avi.addFrame(frame);
  }
  avi.finish();
}

}  // namespace cab::demo
