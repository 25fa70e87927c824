#pragma once

#include <functional>
#include <iostream>
#include <map>
#include <string>

#include "core/platform/cab_surface.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/platform/drive_window.h"
#include "core/platform/settings_store.h"
#include "core/platform/status_sink.h"

namespace cab::headless {

// Time advances only when the runner says so, in whole milliseconds.
class VirtualClock : public Clock {
 public:
  long double nowSeconds() const override { return static_cast<long double>(ms_) / 1000; }
  void sleepMs(int) override {}
  void setMs(long long ms) { ms_ = ms; }
  long long ms() const { return ms_; }

 private:
  long long ms_ = 0;
};

class StderrDialogs : public Dialogs {
 public:
  void message(const std::string& text) override { std::cerr << "message: " << text << '\n'; }
};

class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> read(const std::string& keyPath, const std::string& name) const override {
    auto it = values_.find(keyPath + '\n' + name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }
  bool write(const std::string& keyPath, const std::string& name, const std::string& value) override {
    values_[keyPath + '\n' + name] = value;
    return true;
  }

 private:
  std::map<std::string, std::string> values_;
};

class SilentStatus : public StatusSink {
 public:
  void progress(const std::string&) override {}
};

// Frames are computed but nothing is drawn.
class NullSurface : public CabSurface {
 public:
  bool canDraw() const override { return true; }
  void fill(std::uint32_t) override {}
  void drawVideoSurface(const Picture&) override {}
  void drawVideoTexts(std::span<const VideoText>) override {}
  void drawSprites(const SpriteModel&) override {}
  void flip() override {}
  int textWidth(const std::string&, int) const override { return 0; }
};

// Closing the window runs the drive's close sequence through `onClose`.
class HeadlessWindow : public DriveWindow {
 public:
  explicit HeadlessWindow(std::function<void()> onClose) : onClose_(std::move(onClose)) {}
  void setCaption(const std::string&) override {}
  void setWindowAlpha(int) override {}
  void closeWindow() override { onClose_(); }

 private:
  std::function<void()> onClose_;
};

}  // namespace cab::headless
