// Signal data the drive cannot show: refused while loading with the row and
// what is wrong, or, where the rules define it, shown without reading past a
// table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/data_error.h"
#include "core/data/route_data.h"
#include "core/data/route_loader.h"
#include "core/route/operation_state.h"
#include "core/route/signals/signal_picture_check.h"
#include "core/route/signals/signal_state.h"
#include "core/route/signals/signal_step.h"
#include "tests/route_tick/fake_sounds.h"

namespace cab {
namespace {

template <class Check>
std::vector<std::string> haltOf(Check check) {
  try {
    check();
  } catch (const DataError& e) {
    return e.messages();
  }
  return {};
}

AspectTranslation digits(const std::string& row) {
  AspectTranslation t{};
  for (std::size_t k = 0; k < t.size(); ++k) t[k] = row.at(k) - '0';
  return t;
}

struct TranslationCase {
  const char* name;
  int aspects;  // rows of "[Speed_Signal]"
  std::vector<std::string> rows;
  std::vector<std::string> halt;
};

class SignalTranslations : public ::testing::TestWithParam<TranslationCase> {};

TEST_P(SignalTranslations, MustGiveAspectsOfTheRoute) {
  const TranslationCase& c = GetParam();
  RouteData d;
  d.Speed_SignalCount = c.aspects;
  d.SignalCount = d.Signal2Count = static_cast<int>(c.rows.size());
  for (std::size_t i = 0; i < c.rows.size(); ++i) d.Signal2[i] = digits(c.rows[i]);
  EXPECT_EQ(haltOf([&] { checkSignalTables(d); }), c.halt);
}

INSTANTIATE_TEST_SUITE_P(Rows, SignalTranslations,
                         ::testing::Values(TranslationCase{"StepsUpToProceed", 5, {"1234444444", "2234444444"}, {}},
                                           // Only the entries of the route's aspects are read.
                                           TranslationCase{"DigitsBeyondTheAspectsAreNeverRead", 5, {"0123456789"}, {}},
                                           TranslationCase{"AspectAboveTheHighest",
                                                           5,
                                                           {"1234444444", "2235444444"},
                                                           {"路線ファイルに誤りがあります。[Signal2]:2行目",
                                                            "4桁目の現示5が[Speed_Signal]の現示0〜4にありません"}},
                                           TranslationCase{"ThreeAspects",
                                                           3,
                                                           {"1244444444"},
                                                           {"路線ファイルに誤りがあります。[Signal2]:1行目",
                                                            "3桁目の現示4が[Speed_Signal]の現示0〜2にありません"}},
                                           TranslationCase{"NoSpeedSignalTable", 0, {"9999999999"}, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

SignalData head(int headType) {
  SignalData s;
  s.headType = headType;
  return s;
}

struct PictureCase {
  const char* name;
  SignalData row;
  SignalPictureCounts counts;
  int atsType;
  int maxSpeed;
  std::vector<std::string> halt;
};

SignalData withSub(SignalData s, int sub) {
  s.subImage = sub;
  return s;
}
SignalData withLeft(SignalData s, int image, int alternative) {
  s.sub1Image = image;
  s.sub1AltImage = alternative;
  return s;
}
SignalData withRight(SignalData s, int image, int alternative) {
  s.sub2Image = image;
  s.sub2AltImage = alternative;
  return s;
}

const std::string RowTwo = "路線ファイルに誤りがあります。[Signal]:2行目";

class SignalPictures : public ::testing::TestWithParam<PictureCase> {};

TEST_P(SignalPictures, MustExistForEveryHeadTheRowShows) {
  const PictureCase& c = GetParam();
  const std::vector<SignalData> rows{head(-1), c.row};
  EXPECT_EQ(haltOf([&] { checkSignalPictures(rows, c.counts, c.atsType, c.maxSpeed); }), c.halt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SignalPictures,
    ::testing::Values(
        PictureCase{"AllThere", withLeft(withSub(head(4), 2), 1, 2), {17, 3, 3, 3}, 0, 120, {}},
        PictureCase{
            "MainHeadShort", head(4), {16, 3, 3, 3}, 0, 120, {RowTwo, "信号機の画像にコマ16がありません(コマは0〜15)"}},
        // Head type 8 needs its fast picture only for a fast vehicle.
        PictureCase{"SlowVehicleOnHeadType8", head(8), {34, 1, 1, 1}, 0, 160, {}},
        PictureCase{"FastVehicleOnHeadType8",
                    head(8),
                    {34, 1, 1, 1},
                    0,
                    161,
                    {RowTwo, "信号機の画像にコマ34がありません(コマは0〜33)"}},
        PictureCase{"SubSignal",
                    withSub(head(4), 3),
                    {17, 3, 3, 3},
                    0,
                    120,
                    {RowTwo, "サブ信号機0の画像にコマ3がありません(コマは0〜2)"}},
        PictureCase{"LeftIndicator",
                    withLeft(head(4), 4, 0),
                    {17, 3, 3, 3},
                    0,
                    120,
                    {RowTwo, "サブ信号機1の画像にコマ4がありません(コマは0〜2)"}},
        PictureCase{"RightIndicatorsStopAlternative",
                    withRight(head(4), 1, 5),
                    {17, 3, 3, 3},
                    0,
                    120,
                    {RowTwo, "サブ信号機2の画像にコマ5がありません(コマは0〜2)"}},
        PictureCase{"UnshownAlternative", withRight(head(4), 0, 5), {17, 3, 3, 3}, 0, 120, {}},
        PictureCase{"RouteWithoutIndicatorPictures", withLeft(head(4), 9, 9), {17, 3, 0, 0}, 0, 120, {}},
        // Cab signalling shows only head type 9's main head and the sub-signal.
        PictureCase{
            "CabSignalHead", head(9), {42, 3, 3, 3}, 2, 120, {RowTwo, "信号機の画像にコマ42がありません(コマは0〜41)"}},
        PictureCase{"LinesideHeadUnderCabSignalling", withLeft(head(4), 9, 0), {1, 3, 3, 3}, 2, 120, {}},
        PictureCase{"SubSignalUnderCabSignalling",
                    withSub(head(4), 4),
                    {1, 3, 3, 3},
                    2,
                    120,
                    {RowTwo, "サブ信号機0の画像にコマ4がありません(コマは0〜2)"}},
        PictureCase{"CabSignalHeadWithoutCabSignalling", withLeft(head(9), 9, 0), {1, 3, 3, 3}, 0, 120, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// What the loader lets through stays inside the tables while driving: any
// fixed or override aspect, a route without "[Speed_Signal]", head types
// beyond the table, and (from other sources than the file) translations to
// aspects no translation has an entry for and fewer translations than signals.
TEST(SignalsAtRunTime, AspectsOutsideTheTablesShowTheDistantPictures) {
  std::vector<SignalData> rows(5);
  for (int i = 0; i < 5; ++i) {
    rows[static_cast<std::size_t>(i)].positionFrame = 1000 * (i + 1);
    rows[static_cast<std::size_t>(i)].headType = 4;
  }
  rows[0].kind = 2;
  rows[0].fixedAspect = 42;
  rows[1].overrideAspect = -3;
  rows[2].headType = 12;
  std::vector<AspectTranslation> translations{digits("1234444444"), digits("1234444444"), {12}};
  const std::vector<bool> departed;
  SignalState s;
  CabLamps lamps;
  testing::TimedSounds sounds;
  const auto tick = [&](int highest) {
    // Every row in view; the preceding train in the block of row 3.
    const AspectInputs aspects{rows, translations, highest, 4500, 0, departed, 0};
    signalStep(s, {aspects, 500, 0, 120, 1}, lamps, sounds, {});
    ASSERT_EQ(s.aspect.size(), rows.size());
    ASSERT_EQ(s.imageIndex.size(), rows.size());
    for (int image : s.imageIndex) {
      EXPECT_GE(image, 0);
      EXPECT_LE(image, 42);
    }
  };
  tick(-1);
  // Row 3 stops; row 2 translates stop into 12, for which row 1 has no entry,
  // so the walk ends there.
  tick(4);
  EXPECT_EQ(s.aspect, (std::vector<int>{42, -3, 12, 0, 4}));
  EXPECT_EQ(s.imageIndex, (std::vector<int>{12, 12, 12, 13, 16}));
  translations.resize(2);  // row 2 has no translation: the walk ends before it
  tick(4);
  EXPECT_EQ(s.aspect, (std::vector<int>{42, -3, 4, 0, 4}));
}

}  // namespace
}  // namespace cab
