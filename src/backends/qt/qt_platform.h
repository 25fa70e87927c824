#pragma once

#include <QElapsedTimer>
#include <QSettings>
#include <QWidget>

#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/settings_store.h"
#include "core/platform/status_sink.h"

namespace cab::qt {

// Message boxes with the program's caption, parented to a window.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}
  void message(const std::string& text) override;

 private:
  QWidget* parent_;
};

// Values in an INI file; a key path "\Software\Vantorel\Halvet" becomes
// the group "Software/Vantorel/Halvet". A file that is there but cannot be
// read as INI text is left alone: nothing is read from it (the options take
// their defaults) and nothing is written to it.
class QtSettingsStore : public SettingsStore {
 public:
  // cabview.ini in the user's configuration directory.
  QtSettingsStore();
  // An INI file of its own.
  explicit QtSettingsStore(const QString& iniFile);

  std::optional<std::string> read(const std::string& keyPath, const std::string& name) const override;
  bool write(const std::string& keyPath, const std::string& name, const std::string& value) override;

  // False when the file could not be read.
  bool usable() const { return usable_; }
  QString fileName() const { return settings_.fileName(); }

 private:
  mutable QSettings settings_;
  bool usable_;
};

// The monotonic clock. The frame loop's yield is the 1 ms timer that calls
// it, so sleeping does nothing here.
class QtClock : public Clock {
 public:
  QtClock() { timer_.start(); }
  long double nowSeconds() const override { return static_cast<long double>(timer_.nsecsElapsed()) / 1e9L; }
  void sleepMs(int) override {}

 private:
  QElapsedTimer timer_;
};

// Progress texts go to a callback (the title window's caption label).
class CallbackStatus : public StatusSink {
 public:
  explicit CallbackStatus(std::function<void(const std::string&)> show) : show_(std::move(show)) {}
  void progress(const std::string& text) override {
    if (show_) show_(text);
  }

 private:
  std::function<void(const std::string&)> show_;
};

}  // namespace cab::qt
