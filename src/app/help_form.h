#pragma once

#include <QWidget>
#include <functional>

#include "core/common/data_directory.h"
#include "core/platform/dialogs.h"

class QKeyEvent;
class QPlainTextEdit;

namespace cab::app {

// The help window: the operating instructions of "operation.dat" (its
// first line the caption). It lives for the whole run, hidden until the
// driving window's "Display" menu shows it, and hands its key presses to the
// drive so the train can be driven while it has the focus.
class TForm4 : public QWidget {
 public:
  // A help file that cannot be read is reported once through `dialogs`.
  TForm4(const DataDirectory& data, Dialogs& dialogs);

  // Where key presses go (the running drive); none between drives.
  void setKeyTarget(std::function<void(QKeyEvent*)> target) { keyTarget_ = std::move(target); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPlainTextEdit* memo1_;
  std::function<void(QKeyEvent*)> keyTarget_;
};

}  // namespace cab::app
