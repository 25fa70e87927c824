// The QSettings store as the window program uses it: cabview.ini in the
// user's configuration directory, here a temporary one.
#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "backends/qt/qt_platform.h"
#include "core/shell/display_options_store.h"
#include "core/shell/saved_state.h"

namespace cab {
namespace {

namespace fs = std::filesystem;

class QtSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config_ = fs::temp_directory_path() /
              ("cabview-config-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(config_);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(config_.string()));
  }
  void TearDown() override { fs::remove_all(config_); }

  fs::path iniFile() const { return config_ / "cabview" / "cabview.ini"; }
  std::string iniText() const {
    std::ifstream in(iniFile(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void writeIni(const std::string& bytes) const {
    fs::create_directories(iniFile().parent_path());
    std::ofstream(iniFile(), std::ios::binary) << bytes;
  }

  fs::path config_;
};

TEST_F(QtSettingsStoreTest, OptionsAndSavedStatesCarryToTheNextStore) {
  {
    qt::QtSettingsStore store;
    EXPECT_EQ(store.fileName().toStdString(), iniFile().string());
    EXPECT_TRUE(store.usable());
    // Nothing stored yet: the defaults.
    const DisplayOptions fresh = readDisplayOptions(store);
    EXPECT_EQ(fresh.Information, 1);
    EXPECT_EQ(fresh.Moji, 1);
    writeDisplayOptions(store, DisplayOptions{1, 0, 1, 1, 0});
    EXPECT_TRUE(store.write(OptionsKeyPath, saveRecordName(1), "line_Local_East1.dat,2,40,1234,1080000,52500,0"));
    EXPECT_TRUE(store.write(OptionsKeyPath, saveTitleName(1), "東湊線（霞野～潮見坂）"));
  }
  qt::QtSettingsStore next;
  const DisplayOptions o = readDisplayOptions(next);
  EXPECT_EQ(o.Kanko, 1);
  EXPECT_EQ(o.Information, 0);
  EXPECT_EQ(o.ATS, 1);
  EXPECT_EQ(o.Tunnel, 1);
  EXPECT_EQ(o.Moji, 0);
  EXPECT_EQ(next.read(OptionsKeyPath, "Save1"), "line_Local_East1.dat,2,40,1234,1080000,52500,0");
  EXPECT_EQ(readSaveMenu(next).load[0].caption, "東湊線（霞野～潮見坂）");
  EXPECT_NE(iniText().find("[Software]"), std::string::npos);
}

TEST_F(QtSettingsStoreTest, AHandWrittenRecordWithoutQuotesReadsWhole) {
  writeIni("[Software]\nVantorel\\Halvet\\Save2=line_Local_West1.dat,0,0,30,1080000,1000,0\n");
  qt::QtSettingsStore store;
  EXPECT_EQ(store.read(OptionsKeyPath, "Save2"), "line_Local_West1.dat,0,0,30,1080000,1000,0");
}

TEST_F(QtSettingsStoreTest, AFileThatIsNoIniTextGivesTheDefaultsAndIsNotWritten) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"binary", std::string("\x89PNG\r\n\x1a\n\0\0[Software]\nVantorel\\Halvet\\Moji=0\n", 40)},
      {"not UTF-8", "[Software]\nVantorel\\Halvet\\Moji=0\nVantorel\\Halvet\\Save1Title=\x93\x8c\x8f\x60\n"},
      {"unparsable", "[Software%2FVantorel\nMoji\n"},
  };
  for (const auto& c : cases) {
    writeIni(c.bytes);
    qt::QtSettingsStore store;
    EXPECT_FALSE(store.usable()) << c.name;
    EXPECT_EQ(readDisplayOptions(store).Moji, 1) << c.name;
    writeDisplayOptions(store, DisplayOptions{});
    EXPECT_FALSE(store.write(OptionsKeyPath, "Save1", "x,0,0,0,0,0,0")) << c.name;
    EXPECT_EQ(iniText(), c.bytes) << c.name;
  }
  // A folder where the file should be cannot be read either.
  fs::remove(iniFile());
  fs::create_directories(iniFile());
  EXPECT_FALSE(qt::QtSettingsStore().usable());
}

}  // namespace
}  // namespace cab
