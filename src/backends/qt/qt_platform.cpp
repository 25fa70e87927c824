#include "backends/qt/qt_platform.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <iostream>
#include <string_view>

#include "core/common/text_decoding.h"

namespace cab::qt {

namespace {

QString groupKey(const std::string& keyPath, const std::string& name) {
  QString path = QString::fromStdString(keyPath);
  path.replace('\\', '/');
  while (path.startsWith('/')) path.remove(0, 1);
  return path + '/' + QString::fromStdString(name);
}

// A missing file is fine (it is made on the first write); one that is there
// must be a readable file of text (UTF-8 without NUL bytes) that QSettings
// parses.
bool readableIni(const QSettings& settings) {
  const QFileInfo info(settings.fileName());
  if (!info.exists()) return true;
  QFile file(info.filePath());
  if (!info.isFile() || !file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  if (bytes.contains('\0') || !isValidUtf8(std::string_view(bytes.constData(), bytes.size()))) return false;
  return settings.status() == QSettings::NoError;
}

}  // namespace

// The text also goes to stderr, for a user who started the program from a terminal.
void QtDialogs::message(const std::string& text) {
  std::cerr << text << std::endl;
  QMessageBox::information(parent_, QStringLiteral("鉄道運転シミュレータ"), QString::fromStdString(text));
}

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, "cabview", "cabview"), usable_(readableIni(settings_)) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(iniFile, QSettings::IniFormat), usable_(readableIni(settings_)) {}

// A value written by hand without quotes and holding commas reads as a list;
// it is joined back.
std::optional<std::string> QtSettingsStore::read(const std::string& keyPath, const std::string& name) const {
  if (!usable_) return std::nullopt;
  const QVariant value = settings_.value(groupKey(keyPath, name));
  if (!value.isValid()) return std::nullopt;
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
  return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& keyPath, const std::string& name, const std::string& value) {
  if (!usable_) return false;
  settings_.setValue(groupKey(keyPath, name), QString::fromStdString(value));
  settings_.sync();
  return settings_.status() == QSettings::NoError;
}

}  // namespace cab::qt
