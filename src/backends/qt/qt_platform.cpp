#include "backends/qt/qt_platform.h"

#include <QMessageBox>
#include <iostream>

namespace cab::qt {

namespace {

QString groupKey(const std::string& keyPath, const std::string& name) {
  QString path = QString::fromStdString(keyPath);
  path.replace('\\', '/');
  while (path.startsWith('/')) path.remove(0, 1);
  return path + '/' + QString::fromStdString(name);
}

}  // namespace

// The text also goes to stderr, for a user who started the program from a terminal.
void QtDialogs::message(const std::string& text) {
  std::cerr << text << std::endl;
  QMessageBox::information(parent_, QStringLiteral("鉄道運転シミュレータ"), QString::fromStdString(text));
}

QtSettingsStore::QtSettingsStore() : settings_(QSettings::IniFormat, QSettings::UserScope, "cabview", "cabview") {}

std::optional<std::string> QtSettingsStore::read(const std::string& keyPath, const std::string& name) const {
  const QVariant value = settings_.value(groupKey(keyPath, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& keyPath, const std::string& name, const std::string& value) {
  settings_.setValue(groupKey(keyPath, name), QString::fromStdString(value));
  settings_.sync();
  return settings_.status() == QSettings::NoError;
}

}  // namespace cab::qt
