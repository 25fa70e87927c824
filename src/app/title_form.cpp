#include "app/title_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <variant>

#include "app/drive_form.h"
#include "app/help_form.h"
#include "backends/qt/sprite_painter.h"

namespace cab::app {

namespace {

QSize screenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize(1024, 768);
}

// Pixels of the bottom-left pixel's colour become transparent.
QImage keyedImage(QImage image) {
  image = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (row[x] == key) row[x] = 0;
  }
  return image;
}

}  // namespace

TForm5::TForm5(DataDirectory data, qt::QtSettingsStore& settings, AudioBus& audio)
    : QWidget(nullptr, Qt::FramelessWindowHint),
      data_(data),
      settings_(settings),
      audio_(audio),
      dialogs_(this),
      media_(
          data,
          [this](const QImage& frame) {
            dxDraw1_->setPixmap(
                QPixmap::fromImage(frame.scaled(dxDraw1_->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
          },
          audio.title()),
      title_(data, *this, dialogs_, screenSize().width(), screenSize().height()) {
  setObjectName("TForm5");
  setWindowTitle(QString::fromUtf8(ProgramCaption));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);
  QFont font = this->font();
  font.setFamilies({"FixedSys", "VL Gothic", "Noto Sans CJK JP", "IPAGothic"});
  setFont(font);

  image1_ = new QLabel(this);
  image1_->setObjectName("Image1");
  image1_->move(0, 0);
  image1_->installEventFilter(this);
  for (int k = 0; k < RouteButtonCount; ++k) {
    const RouteButton& b = RouteButtons[static_cast<std::size_t>(k)];
    lines_[static_cast<std::size_t>(k)] = pictureLabel(b.name, b.picture, false);
    lines_[static_cast<std::size_t>(k)]->move(b.left, b.top);
  }
  train1_ = pictureLabel("train1", TrainButtonPicture, false);
  train1_->move(650, 500);
  cursor_ = pictureLabel("cursor", CursorPicture, true);
  cursor_->setAttribute(Qt::WA_TransparentForMouseEvents);
  cts_ = pictureLabel("cts", StartPromptPicture, true);
  cts_->move(320, 540);
  helpButton_ = textButton("HELP", QStringLiteral("HELP"), 10, 571);
  quitButton_ = textButton("quit", QStringLiteral("終了"), 11, 571);
  backButton_ = textButton("back", QStringLiteral("戻る"), 70, 571);
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label1_->setGeometry(0, 600, 800, 18);
  label1_->setStyleSheet("QLabel { background: white; color: black; }");
  dxDraw1_ = new QLabel(this);
  dxDraw1_->setObjectName("DXDraw1");
  dxDraw1_->setStyleSheet("QLabel { background: black; }");
  dxDraw1_->setGeometry(0, 0, 640, 360);
  dxDraw1_->installEventFilter(this);

  timer1_.setInterval(100);
  connect(&timer1_, &QTimer::timeout, this, [this] {
    title_.Timer1Timer();
    sync();
  });
}

QPixmap TForm5::picture(const std::string& dataPath, bool keyed) const {
  const auto bytes = data_.readBytes(dataPath);
  if (!bytes) return {};
  const auto decoded = pictures_.decode(*bytes);
  const auto* p = std::get_if<Picture>(&decoded);
  if (!p) return {};
  const QImage image = qt::toImage(*p);
  return QPixmap::fromImage(keyed ? keyedImage(image) : image);
}

QLabel* TForm5::pictureLabel(const char* name, const std::string& dataPath, bool keyed) {
  auto* label = new QLabel(this);
  label->setObjectName(name);
  const QPixmap pixmap = picture(dataPath, keyed);
  label->setPixmap(pixmap);
  label->resize(pixmap.isNull() ? QSize(1, 1) : pixmap.size());
  label->installEventFilter(this);
  label->hide();
  return label;
}

QLabel* TForm5::textButton(const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, this);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setStyleSheet("QLabel { border: 1px solid gray; color: white; background: rgba(0, 0, 0, 160); }");
  label->setGeometry(x, y, 56, 22);
  label->installEventFilter(this);
  label->hide();
  return label;
}

bool TForm5::create() {
  if (!title_.FormCreate(static_cast<int>(QRandomGenerator::global()->bounded(4)))) return false;
  sync();
  return true;
}

// Shows the title's view: the window's place and size, the background
// picture and which components stand.
void TForm5::sync() {
  const TitleView& v = title_.view();
  setFixedSize(v.clientWidth, v.clientHeight);
  move(v.left, v.top);
  if (v.picture != shownPicture_) {
    shownPicture_ = v.picture;
    const QPixmap pixmap = picture(v.picture, false);
    image1_->setPixmap(pixmap);
    image1_->resize(pixmap.size());
  }
  dxDraw1_->setVisible(v.movieVisible);
  for (std::size_t k = 0; k < lines_.size(); ++k) lines_[k]->setVisible(v.lineVisible[k]);
  train1_->setVisible(v.train1Visible);
  cursor_->move(v.cursorLeft, v.cursorTop);
  cursor_->setVisible(v.cursorVisible);
  cts_->setVisible(v.ctsVisible);
  helpButton_->setVisible(v.helpVisible);
  quitButton_->setVisible(v.quitVisible);
  backButton_->setVisible(v.backVisible);
  cursor_->raise();
  if (!v.status.empty() && label1_->text().isEmpty()) label1_->setText(QString::fromStdString(v.status));
  if (v.timerEnabled != timer1_.isActive()) v.timerEnabled ? timer1_.start() : timer1_.stop();
}

// Left clicks are the components' click handlers; the right button going
// down on a route or the train button opens the vehicle dialog.
bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::MouseButtonPress;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  if (!press && !release) return QWidget::eventFilter(watched, event);
  const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
  const bool onMenuButton = watched == train1_ || std::find(lines_.begin(), lines_.end(), watched) != lines_.end();
  if (press && button == Qt::RightButton && onMenuButton) {
    title_.Menumousedown();
  } else if (release && button == Qt::LeftButton) {
    if (watched == image1_ || watched == cts_ || watched == dxDraw1_) title_.Imageclick();
    for (std::size_t k = 0; k < lines_.size(); ++k)
      if (watched == lines_[k]) title_.lineclick(static_cast<int>(k));
    if (watched == train1_) title_.Trainclick();
    if (watched == helpButton_) title_.helpclick();
    if (watched == quitButton_) title_.quitClick();
    if (watched == backButton_) title_.backclick();
  } else {
    return QWidget::eventFilter(watched, event);
  }
  sync();
  return true;
}

bool TForm5::playMovie(const std::string& dataPath) { return media_.playMovie(dataPath); }
bool TForm5::playSound(const std::string& dataPath) { return media_.playSound(dataPath); }
void TForm5::stopMedia() { media_.stop(); }

std::optional<TitleHost::Size> TForm5::pictureSize(const std::string& dataPath) {
  const QPixmap pixmap = picture(dataPath, false);
  if (pixmap.isNull()) return std::nullopt;
  return Size{pixmap.width(), pixmap.height()};
}

std::optional<std::string> TForm5::pickVehicleFile() {
  const QString file = QFileDialog::getOpenFileName(
      this, QStringLiteral("この路線を任意の列車で運転することができます"),
      QString::fromStdString(data_.root().string()), QStringLiteral("列車データファイル (*.dat)"));
  if (file.isEmpty()) return std::nullopt;
  return file.toStdString();
}

bool TForm5::confirm(const std::string& text) {
  return QMessageBox::question(this, QString::fromUtf8(ProgramCaption), QString::fromStdString(text),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TForm5::openDocument(const std::string& dataPath) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(data_.resolve(dataPath).string())));
}

void TForm5::refresh() {
  sync();
  label1_->setText(QString::fromStdString(title_.view().status));
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  label1_->repaint();
}

// The driving window loads while the title shows its progress, then runs
// with the title hidden; the help window's keys go to it meanwhile. A halt
// while loading ends the program (its messages have been shown).
void TForm5::runDrive(const TitleChoice& c) {
  qt::CallbackStatus status([this](const std::string& text) {
    label1_->setText(QString::fromStdString(text));
    label1_->repaint();
  });
  const DriveRequest request{c.routeFile, c.vehicleDir, c.vehicleFile, c.startStation, c.endStation};
  TForm1 form(data_, request, settings_, status, audio_.drive(), help_);
  if (!form.load()) {
    QCoreApplication::exit(1);
    return;
  }
  struct ShowTitleAgain {
    TForm5& title;
    ~ShowTitleAgain() {
      if (title.help_) title.help_->setKeyTarget({});
      title.show();
    }
  } showAgain{*this};
  hide();
  if (help_) help_->setKeyTarget([&form](QKeyEvent* key) { form.forwardKey(key); });
  QEventLoop driving;
  form.setClosedHandler([&driving] { driving.quit(); });
  form.show();
  driving.exec();
  form.hide();
  label1_->clear();
}

void TForm5::closeWindow() { close(); }

void TForm5::closeEvent(QCloseEvent* event) {
  if (!title_.FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
  QCoreApplication::quit();
}

}  // namespace cab::app
