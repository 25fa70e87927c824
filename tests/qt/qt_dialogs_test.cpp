#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "backends/qt/qt_platform.h"

namespace cab::qt {
namespace {

// A message box's text goes to stderr as well, for a program started from a terminal.
TEST(QtDialogs, MessageAlsoGoesToStderr) {
  int argc = 1;
  char name[] = "tests_qt";
  char* argv[] = {name};
  std::unique_ptr<QApplication> application;
  if (!QApplication::instance()) application = std::make_unique<QApplication>(argc, argv);

  // Presses OK in the box once it shows, remembering its text.
  QString shown;
  QTimer press;
  QObject::connect(&press, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->button(QMessageBox::Ok)->click();
    }
  });
  press.start(10);

  QtDialogs dialogs(nullptr);
  ::testing::internal::CaptureStderr();
  dialogs.message("運転データファイルに誤りがあります");
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(shown, QStringLiteral("運転データファイルに誤りがあります"));
  EXPECT_NE(err.find("運転データファイルに誤りがあります\n"), std::string::npos) << err;
}

}  // namespace
}  // namespace cab::qt
