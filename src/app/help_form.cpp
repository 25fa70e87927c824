#include "app/help_form.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

#include "core/title/help_text.h"

namespace cab::app {

namespace {

constexpr int ClientWidth = 265, ClientHeight = 331;
constexpr int MemoHeight = 329;

}  // namespace

TForm4::TForm4(const DataDirectory& data, Dialogs& dialogs) : QWidget(nullptr, Qt::Dialog) {
  setObjectName("TForm4");
  setFixedSize(ClientWidth, ClientHeight);
  move(567, 341);
  memo1_ = new QPlainTextEdit(this);
  memo1_->setObjectName("Memo1");
  memo1_->setReadOnly(true);
  memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo1_->setGeometry(0, 0, ClientWidth, MemoHeight);
  QFont font = memo1_->font();
  font.setFamilies({"Meiryo UI", "Meiryo", "Noto Sans CJK JP", "VL Gothic", "IPAGothic"});
  font.setPixelSize(12);
  memo1_->setFont(font);
  memo1_->installEventFilter(this);

  const HelpTextResult help = readHelpText(data);
  if (help.error) dialogs.message(*help.error);
  setWindowTitle(QString::fromStdString(help.text.caption));
  for (const std::string& line : help.text.lines) memo1_->appendPlainText(QString::fromStdString(line));
  memo1_->moveCursor(QTextCursor::Start);
}

// Key presses go to the drive and still reach the text (to scroll it);
// releases are not forwarded.
bool TForm4::eventFilter(QObject* watched, QEvent* event) {
  if (watched == memo1_ && event->type() == QEvent::KeyPress && keyTarget_) keyTarget_(static_cast<QKeyEvent*>(event));
  return QWidget::eventFilter(watched, event);
}

}  // namespace cab::app
