#include "app/drive_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWheelEvent>
#include <cmath>
#include <variant>

#include "backends/qt/key_map.h"
#include "backends/qt/sprite_painter.h"
#include "core/data/data_error.h"

namespace cab::app {

namespace {

constexpr int ClientWidth = 1202;
constexpr int ClientHeight = 786;
constexpr int SurfaceWidth = 800;
constexpr int SurfaceHeight = 785;

// The right-hand column beside the timetable: sub_disp at its top, the
// information labels below it.
constexpr int ColumnLeft = ClientWidth - 158;
constexpr int ColumnWidth = 154;
constexpr int HalfWidth = ColumnWidth / 2;

// Where each information label stands, grouped as the driver reads them:
// stations and clock, speed and distance, the line's limits, the handles,
// the doors and the train, the traffic lights. Two-line labels wrap.
struct LabelPlace {
  int label;
  int x, y, width, height;
  int pixelSize;
  bool bold = false;
};
constexpr LabelPlace LabelPlaces[] = {
    {4, 0, 128, ColumnWidth, 36, 14},        {13, 0, 166, ColumnWidth, 36, 13},
    {14, 0, 204, ColumnWidth, 36, 14},       {7, 0, 244, ColumnWidth, 22, 15, true},
    {11, 0, 270, ColumnWidth, 28, 22, true}, {12, 0, 302, ColumnWidth, 24, 18, true},
    {15, 0, 330, ColumnWidth, 22, 14},       {10, 0, 356, ColumnWidth, 36, 13},
    {0, 0, 398, HalfWidth, 22, 15},          {1, HalfWidth, 398, HalfWidth, 22, 15},
    {2, 0, 422, HalfWidth, 22, 15},          {3, HalfWidth, 422, HalfWidth, 22, 15},
    {6, 0, 448, ColumnWidth, 22, 14},        {9, 0, 474, ColumnWidth, 36, 13},
    {8, 0, 514, ColumnWidth, 36, 13},
};
constexpr int UnusedLabel = 5;

}  // namespace

TForm1::TForm1(DataDirectory data, DriveRequest request, qt::QtSettingsStore& settings, StatusSink& status,
               AudioOut& audio, TForm4* help)
    : dialogs_(this), help_(help) {
  setWindowTitle(QString::fromUtf8(ProgramCaption));
  auto* client = new QWidget(this);
  client->setFixedSize(ClientWidth, ClientHeight);
  client->setAutoFillBackground(true);
  QPalette palette = client->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::white);
  client->setPalette(palette);
  setCentralWidget(client);

  untendai_ = new qt::CabSurfaceWidget(SurfaceWidth, SurfaceHeight, client);
  untendai_->move(0, 0);
  subDisp_ = new QLabel(client);
  subDisp_->setObjectName("sub_disp");
  placeInfoLabels(client);
  back_ = new QLabel(QStringLiteral("戻る"), client);
  back_->setObjectName("back");
  back_->setAlignment(Qt::AlignCenter);
  back_->setStyleSheet("QLabel { border: 1px solid gray; color: white; }");
  back_->setGeometry(ClientWidth - 110, ClientHeight - 40, 100, 30);
  back_->installEventFilter(this);

  drive_ = std::make_unique<Drive>(
      std::move(data), DrivePlatform{dialogs_, settings, clock_, status, *untendai_, *this, pictures_, video_, &audio},
      std::move(request));
  connect(untendai_, &qt::CabSurfaceWidget::clicked, this, [this] { dispatch(drive_event::CabClick{}); });
  // The frame timer waits for the drive's next deadline instead of polling.
  idleTimer_.setTimerType(Qt::PreciseTimer);
  idleTimer_.setSingleShot(true);
  connect(&idleTimer_, &QTimer::timeout, this, [this] { dispatch(drive_event::Frame{}); });
  timer1_.setInterval(100);
  connect(&timer1_, &QTimer::timeout, this, [this] { dispatch(drive_event::Tick{}); });
  move(0, 0);
}

bool TForm1::load() {
  try {
    drive_->FormCreate();
  } catch (const HaltError& e) {
    for (const auto& text : e.messages()) dialogs_.message(text);
    return false;
  }
  buildMenu();
  showSubDisplay();
  syncWithDrive();
  return true;
}

void TForm1::placeInfoLabels(QWidget* client) {
  for (int i = 0; i < InfoLabels::Count; ++i) {
    labels_[i] = new QLabel(client);
    labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i));
    labels_[i]->hide();
  }
  for (const LabelPlace& place : LabelPlaces) {
    QLabel* label = labels_[place.label];
    label->setGeometry(ColumnLeft + place.x, place.y, place.width, place.height);
    label->setWordWrap(place.height > 30);
    QFont font = label->font();
    font.setPixelSize(place.pixelSize);
    font.setBold(place.bold);
    label->setFont(font);
  }
}

// The third "[Staf]" picture, sized to itself at the top of the column.
void TForm1::showSubDisplay() {
  const std::string& file = drive_->route.StafSubDisplay;
  if (file.empty()) return;
  const auto bytes = drive_->data().readBytes(file);
  if (!bytes) return;  // the route's loader has made sure the file exists
  const auto decoded = pictures_.decode(*bytes);
  if (const auto* error = std::get_if<PictureLoader::Error>(&decoded)) {
    dialogs_.message(file + ": " + error->text);
    return;
  }
  const QImage image = qt::toImage(std::get<Picture>(decoded));
  subDisp_->setPixmap(QPixmap::fromImage(image));
  subDisp_->setGeometry(ColumnLeft, 0, image.width(), image.height());
}

// Label mode ("Moji" 1) shows the labels with the drive's captions; otherwise
// they are hidden and the texts are drawn on the video.
void TForm1::showInfoLabels() {
  const bool labelMode = drive_->options.Moji == 1;
  for (int i = 0; i < InfoLabels::Count; ++i) {
    if (i == UnusedLabel) continue;
    const QString caption = QString::fromStdString(drive_->infoLabels.caption[i]);
    if (labels_[i]->text() != caption) labels_[i]->setText(caption);
    labels_[i]->setVisible(labelMode);
  }
}

void TForm1::buildMenu() {
  const auto caption = [](const std::string& s) { return QString::fromStdString(s); };
  start1_ = menuBar()->addAction(caption(drive_->startCaption()));
  start1_->setObjectName("start1");
  connect(start1_, &QAction::triggered, this, [this] { dispatch(drive_event::StartPause{}); });
  QMenu* goTo1 = menuBar()->addMenu(caption(drive_->strings.menu.move));
  goTo1->setObjectName("GoTo1");
  for (const MoveMenuItem& item : drive_->moveMenu) {
    QAction* station = goTo1->addAction(caption(item.caption));
    station->setObjectName(QString::fromStdString(item.name));
    connect(station, &QAction::triggered, this, [this, index = item.station] { dispatch(drive_event::Move{index}); });
  }
  buildDisplayMenu();
  menuBar()->addMenu(caption(drive_->strings.menu.control))->setObjectName("Controller1");
  buildSaveMenu();
}

void TForm1::dispatch(const DriveEvent& event) {
  drive_->handle(event);
  syncWithDrive();
}

// Timer1, the frame timer and the menu caption follow the drive's state after
// every event.
void TForm1::syncWithDrive() {
  if (drive_->timer1Enabled() != timer1_.isActive()) {
    if (drive_->timer1Enabled())
      timer1_.start();
    else
      timer1_.stop();
  }
  if (const auto due = drive_->nextDeadline()) {
    const long double waitMs = (*due - clock_.nowSeconds()) * 1000;
    idleTimer_.start(waitMs > 0 ? static_cast<int>(std::ceil(waitMs)) : 0);
  } else {
    idleTimer_.stop();
  }
  if (start1_) start1_->setText(QString::fromStdString(drive_->startCaption()));
  showDisplayChecks();
  showInfoLabels();
}

void TForm1::setCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }

void TForm1::setWindowAlpha(int alpha) { setWindowOpacity(alpha / 255.0); }

void TForm1::closeWindow() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
  idleTimer_.stop();
  drive_->FormCloseQuery();
  syncWithDrive();
  event->accept();
  if (closed_) closed_();
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  drive_->FormActivate();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == back_ && event->type() == QEvent::MouseButtonPress) {
    dispatch(drive_event::Back{});
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::keyPressEvent(QKeyEvent* event) { forwardKey(event); }

void TForm1::forwardKey(QKeyEvent* event) {
  const bool keypad = event->modifiers() & Qt::KeypadModifier;
  if (auto code = qt::virtualKeyFor(event->key(), keypad))
    drive_->handle(drive_event::KeyDown{*code, (event->modifiers() & Qt::ShiftModifier) != 0});
  const QString text = event->text();
  if (text.size() == 1 && text[0].unicode() < 0x80)
    drive_->handle(drive_event::Character{static_cast<char>(text[0].unicode())});
  syncWithDrive();
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  if (auto code = qt::virtualKeyFor(event->key(), event->modifiers() & Qt::KeypadModifier))
    dispatch(drive_event::KeyUp{*code});
}

void TForm1::wheelEvent(QWheelEvent* event) {
  if (event->angleDelta().y() != 0) dispatch(drive_event::Wheel{event->angleDelta().y() > 0});
}

}  // namespace cab::app
