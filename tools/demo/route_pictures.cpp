#include "route_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>

#include "picture_kit.h"

namespace cab::demo {

namespace {

using namespace route_pictures;

QString u(const std::string& s) { return QString::fromStdString(s); }

QImage cells(int count, int w, int h, const std::function<void(QPainter&, int, QRect)>& draw) {
  QImage image = canvas(w * count, h);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < count; ++i) draw(p, i, QRect(i * w + 1, 1, w - 2, h - 2));
  return image;
}

void board(QPainter& p, QRect r, const QString& text, QColor back, QColor fore, int px) {
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(back);
  p.drawRect(r.adjusted(2, 2, -2, -2));
  p.setPen(fore);
  p.setFont(textFont(px, true));
  p.drawText(r, Qt::AlignCenter, text);
}

// Lamp colours of signal picture n: cells 0..42 cover the head types.
void signalHead(QPainter& p, int n, QRect r) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(25, 25, 25));
  p.drawRoundedRect(r.adjusted(4, 2, -4, -2), 6, 6);
  // Aspect shown: stop pictures red, the rest by their position in the table.
  static const int aspectOf[43] = {0, 0, 2, 4, 0, 3, 4, 0, 2, 4, 0, 2, 4, 0, 2, 3, 4, 0, 1, 2, 4, 0,
                                   1, 2, 3, 4, 0, 2, 4, 4, 0, 2, 3, 4, 4, 0, 1, 2, 3, 4, 4, 4, 4};
  const int a = aspectOf[n];
  const QColor off(50, 50, 50), red(255, 40, 30), yellow(255, 190, 20), green(40, 230, 120);
  QColor lamp[4] = {off, off, off, off};
  if (a == 0) lamp[1] = red;
  if (a == 1) lamp[0] = lamp[2] = yellow;
  if (a == 2) lamp[2] = yellow;
  if (a == 3) lamp[2] = yellow, lamp[3] = green;
  if (a == 4) lamp[3] = green;
  const int d = r.width() - 16;
  for (int k = 0; k < 4; ++k) {
    p.setBrush(lamp[k]);
    p.drawEllipse(QRect(r.left() + 8, r.top() + 6 + k * (d + 2), d, d));
  }
}

}  // namespace

void writeTitlePictures(const std::filesystem::path& root, const std::vector<std::string>& routeNames) {
  const QColor skies[4] = {QColor(80, 130, 200), QColor(230, 140, 80), QColor(60, 90, 140), QColor(120, 170, 120)};
  for (int i = 0; i < 5; ++i) {
    QImage title(900, 600, QImage::Format_RGB32);
    QPainter p(&title);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, i < 4 ? skies[i] : QColor(30, 40, 60));
    sky.setColorAt(1, QColor(240, 240, 230));
    p.fillRect(title.rect(), sky);
    // Rails running into the distance.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 110, 100));
    p.drawPolygon(QPolygonF{QPointF(430, 330), QPointF(470, 330), QPointF(820, 600), QPointF(80, 600)});
    p.setPen(QPen(QColor(210, 210, 215), 5));
    p.drawLine(440, 330, 250, 600);
    p.drawLine(460, 330, 650, 600);
    p.setPen(Qt::white);
    p.setFont(textFont(i < 4 ? 56 : 40, true));
    p.drawText(QRect(0, i < 4 ? 120 : 40, 900, 80), Qt::AlignCenter,
               QString::fromUtf8(i < 4 ? "鉄道運転シミュレータ" : "路線を選んでください"));
    p.setFont(textFont(22));
    if (i < 4) p.drawText(QRect(0, 540, 900, 40), Qt::AlignCenter, QString::fromUtf8("東湊線・西峰線　クリックで開始"));
    p.end();
    savePicture(title, root,
                i < 4 ? "image\\title\\title0" + std::to_string(i + 1) + ".jpg" : "image\\title\\title2.jpg");
  }
  for (size_t i = 0; i < routeNames.size(); ++i) {
    QImage button(700, 60, QImage::Format_RGB32);
    QPainter p(&button);
    QLinearGradient g(0, 0, 700, 0);
    g.setColorAt(0, i < 2 ? QColor(20, 90, 170) : QColor(170, 70, 30));
    g.setColorAt(1, QColor(20, 20, 30));
    p.fillRect(button.rect(), g);
    p.setPen(Qt::white);
    p.setFont(textFont(26, true));
    p.drawText(QRect(20, 0, 680, 60), Qt::AlignVCenter | Qt::AlignLeft, u(routeNames[i]));
    p.end();
    savePicture(button, root, "image\\title\\line0" + std::to_string(i + 1) + ".bmp");
  }
  QImage train(200, 60, QImage::Format_RGB32);
  {
    QPainter p(&train);
    p.fillRect(train.rect(), QColor(40, 120, 60));
    p.setPen(Qt::white);
    p.setFont(textFont(24, true));
    p.drawText(train.rect(), Qt::AlignCenter, QString::fromUtf8("この列車で運転"));
  }
  savePicture(train, root, "image\\title\\train1.bmp");
}

void writeOverlayPictures(const std::filesystem::path& root, int videoWidth) {
  const int s = SignSize;
  savePicture(cells(6, s, s,
                    [](QPainter& p, int i, QRect r) {
                      static const char* texts[6] = {"停", "2", "4", "6", "8", "10"};
                      board(p, r, QString::fromUtf8(texts[i]), QColor(250, 250, 250), QColor(200, 20, 20),
                            r.height() / 2);
                    }),
              root, "image\\sign\\teimoku.bmp");
  const QColor lines[3] = {QColor(255, 220, 0), QColor(0, 200, 255), QColor(255, 60, 60)};
  const char* lineNames[3] = {"S", "M", "E"};
  for (int i = 0; i < 3; ++i) {
    QImage line(videoWidth, 8, QImage::Format_RGB32);
    line.fill(lines[i]);
    savePicture(line, root, std::string("image\\sign\\stopline_") + lineNames[i] + ".png");
  }
  savePicture(cells(LimitSigns, s, s,
                    [](QPainter& p, int i, QRect r) {
                      p.setPen(QPen(QColor(230, 180, 0), 5));
                      p.setBrush(Qt::black);
                      p.drawEllipse(r.adjusted(4, 4, -4, -4));
                      p.setPen(Qt::white);
                      p.setFont(textFont(r.height() / 3, true));
                      p.drawText(r, Qt::AlignCenter, QString::number(25 + 10 * i));
                    }),
              root, "image\\sign\\limit.bmp");
  QImage remain = canvas(s * 2, 900, QColor(0, 0, 0));
  {
    QPainter p(&remain);
    for (int k = 0; k < 2; ++k)
      p.fillRect(QRect(k * s + s / 3, 0, s / 3, 899), k ? QColor(255, 120, 0) : QColor(0, 200, 80));
  }
  savePicture(remain, root, "image\\sign\\remain.bmp");
  savePicture(cells(3, s, s,
                    [](QPainter& p, int i, QRect r) {
                      p.setPen(Qt::NoPen);
                      p.setBrush(QColor(30, 30, 30));
                      p.drawRect(r.adjusted(4, 12, -4, -12));
                      p.setBrush(i == 1 ? QColor(255, 255, 255) : QColor(80, 80, 80));
                      p.drawEllipse(r.center(), r.width() / 5, r.width() / 5);
                      if (i == 2) {
                        p.setPen(QPen(Qt::red, 4));
                        p.drawLine(r.topLeft() + QPoint(8, 8), r.bottomRight() - QPoint(8, 8));
                      }
                    }),
              root, "image\\sign\\cross.bmp");
  savePicture(cells(OtherSigns, s, s,
                    [](QPainter& p, int i, QRect r) {
                      static const char* texts[OtherSigns] = {"時刻", "警笛", "徐行", "解除"};
                      board(p, r, QString::fromUtf8(texts[i]), QColor(255, 255, 255), QColor(20, 20, 160),
                            r.height() / 3);
                    }),
              root, "image\\sign\\other.bmp");
  savePicture(cells(SignalCells, SignalWidth, SignalHeight, signalHead), root, "image\\signal\\signal.bmp");
  for (const char* name : {"sub", "left", "right"}) {
    savePicture(cells(4, SubWidth, SubHeight,
                      [name](QPainter& p, int i, QRect r) {
                        p.setPen(Qt::NoPen);
                        p.setBrush(QColor(20, 20, 20));
                        p.drawRect(r);
                        p.setBrush(i ? QColor(255, 255, 255) : QColor(60, 60, 60));
                        for (int k = 0; k < 3; ++k)
                          p.drawEllipse(QPoint(r.left() + 7 + k * 12, r.center().y() + (name[0] == 'l'   ? k - 1
                                                                                        : name[0] == 'r' ? 1 - k
                                                                                                         : 0) *
                                                                                           6),
                                        4, 4);
                      }),
                root, std::string("image\\signal\\") + name + ".bmp");
  }
  // Animation: a level-crossing lamp pair flashing over 14 cells of 100 × 75.
  savePicture(cells(14, 100, 75,
                    [](QPainter& p, int i, QRect r) {
                      p.setPen(Qt::NoPen);
                      p.setBrush(QColor(20, 20, 20));
                      p.drawRect(r.adjusted(10, 20, -10, -20));
                      p.setBrush(i % 2 ? QColor(255, 40, 30) : QColor(80, 20, 20));
                      p.drawEllipse(QPoint(r.left() + 30, r.center().y()), 12, 12);
                      p.setBrush(i % 2 ? QColor(80, 20, 20) : QColor(255, 40, 30));
                      p.drawEllipse(QPoint(r.right() - 30, r.center().y()), 12, 12);
                    }),
              root, "image\\anim\\crossing_lamp.bmp");
  savePicture(cells(3, 100, 75,
                    [](QPainter& p, int i, QRect r) {
                      p.setPen(Qt::NoPen);
                      p.setBrush(QColor(30, 30, 30));
                      p.drawRoundedRect(r.adjusted(5, 20, -5, -20), 8, 8);
                      const QColor on[3] = {QColor(40, 220, 120), QColor(255, 190, 20), QColor(255, 40, 30)};
                      for (int k = 0; k < 3; ++k) {
                        p.setBrush(k == i ? on[k] : QColor(60, 60, 60));
                        p.drawEllipse(QPoint(r.left() + 22 + k * 28, r.center().y()), 11, 11);
                      }
                    }),
              root, "image\\traffic\\traffic.bmp");
}

std::string slopePostFile(const LinePlan& plan) { return "image\\sign\\slope_" + plan.videoName + ".bmp"; }

void writeSlopePosts(const std::filesystem::path& root, const LinePlan& plan) {
  std::vector<QString> texts{"Lv"};
  for (const Span& slope : plan.slopes)
    texts.push_back(QString::number(std::lround(slope.value)) + QString::fromUtf8("‰"));
  savePicture(cells(int(texts.size()), SignSize, SignSize,
                    [&](QPainter& p, int i, QRect r) {
                      board(p, r, texts[size_t(i)], QColor(250, 250, 250), Qt::black, r.height() / 4);
                    }),
              root, slopePostFile(plan));
}

void writeStafPictures(const std::filesystem::path& root, const std::string& stem, const std::string& title,
                       const LinePlan& plan, int firstStation, int startClock, int videoWidth, int videoHeight) {
  QImage table(240, 600, QImage::Format_RGB32);
  table.fill(QColor(250, 248, 235));
  {
    QPainter p(&table);
    p.setPen(Qt::black);
    p.setFont(textFont(16, true));
    p.drawText(QRect(0, 8, 240, 24), Qt::AlignCenter, u(title));
    p.setFont(textFont(15));
    int y = 50;
    for (size_t i = firstStation; i < plan.stations.size(); ++i) {
      const auto& st = plan.stations[i];
      const int clock = startClock + (st.departFrame - plan.stations[firstStation].frame) + 300;
      const int sec = clock / 30;
      const QString time =
          QString("%1:%2:%3").arg(sec / 3600).arg(sec / 60 % 60, 2, 10, QChar('0')).arg(sec % 60, 2, 10, QChar('0'));
      p.drawText(QRect(10, y, 120, 22), Qt::AlignLeft, u(st.name));
      p.drawText(QRect(130, y, 100, 22), Qt::AlignRight, st.trntype == 1 ? QString::fromUtf8("レ") : time);
      p.drawLine(10, y + 24, 230, y + 24);
      y += 34;
    }
  }
  savePicture(table, root, "image\\staf\\" + stem + "_timetable.jpg");
  // The picture the cab shows before the drive starts, the size of the video.
  QImage start(videoWidth, videoHeight, QImage::Format_RGB32);
  start.fill(QColor(20, 30, 50));
  {
    QPainter p(&start);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int unit = std::max(4, videoHeight / 12);
    p.setPen(Qt::white);
    p.setFont(smoothFont(unit * 3 / 2, true));
    p.drawText(start.rect().adjusted(0, -unit * 2, 0, -unit * 2), Qt::AlignCenter, u(title));
    p.setFont(smoothFont(unit * 4 / 5));
    p.drawText(start.rect().adjusted(0, unit * 2, 0, unit * 2), Qt::AlignCenter,
               QString::fromUtf8("メニューの「開始」で運転を始めます"));
  }
  savePicture(start, root, "image\\staf\\" + stem + "_start.jpg");
  QImage sub(160, 120, QImage::Format_RGB32);
  sub.fill(QColor(10, 10, 10));
  {
    QPainter p(&sub);
    p.setPen(QColor(255, 180, 0));
    p.setFont(textFont(16, true));
    p.drawText(sub.rect(), Qt::AlignCenter,
               QString::fromUtf8("普通\n") + u(plan.stations.back().name) + QString::fromUtf8(" 行"));
  }
  savePicture(sub, root, "image\\staf\\" + stem + "_sub.png");
}

}  // namespace cab::demo
