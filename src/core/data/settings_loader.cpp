#include "core/data/settings_loader.h"

#include "core/common/data_directory.h"
#include "core/data/record_file_reader.h"

namespace cab {

namespace {

void readLines(RecordFileReader& r, std::string* const* fields, int count) {
  for (int i = 0; i < count; ++i) *fields[i] = r.nextLine();
}

// The video surface is W x H pixels; a side out of these bounds cannot be
// allocated (or means nothing on a screen).
constexpr int SurfaceSideMin = 16;
constexpr int SurfaceSideMax = 8192;

// Reads value line `line` of "[Disp]", a side of the video surface.
int surfaceSide(RecordFileReader& r, int line, const char* side) {
  r.nextLine();
  const int value = r.intField(1);
  if (value < SurfaceSideMin || value > SurfaceSideMax)
    throw RefusedValue("[Disp] " + std::to_string(line) + "行目の映像の" + side + " " + std::to_string(value) + " は" +
                       std::to_string(SurfaceSideMin) + "以上" + std::to_string(SurfaceSideMax) + "以下にしてください");
  return value;
}

void testKeys(RecordFileReader& r, UiStrings& s) {
  if (r.isKey("[Disp]")) {
    r.nextLine();
    s.videoFrameRate = r.intField(1);
    s.frameCountFactor = r.intField(2);
    r.nextLine();
    s.timetableLeft = r.intField(1);
    s.videoWidth = surfaceSide(r, 3, "幅");
    s.videoHeight = surfaceSide(r, 4, "高さ");
    r.nextLine();
    s.reserved = r.intField(1);
  }
  if (r.isKey("[Path]")) s.Path = r.nextLine();

  // Keys of one text line each, in their scan order.
  const std::pair<const char*, std::string*> singles[] = {{"[Forward]", &s.Forward},
                                                          {"[Neutral]", &s.Neutral},
                                                          {"[Reverse]", &s.Reverse},
                                                          {"[Stop]", &s.Stop},
                                                          {"[Pass]", &s.Pass},
                                                          {"[Stop2]", &s.Stop2},
                                                          {"[Neut]", &s.Neut},
                                                          {"[Neut2]", &s.Neut2},
                                                          {"[Apply]", &s.Apply},
                                                          {"[Maintain]", &s.Maintain},
                                                          {"[Remove]", &s.Remove},
                                                          {"[Hold]", &s.Hold},
                                                          {"[Hold2]", &s.Hold2},
                                                          {"[EB]", &s.EB},
                                                          {"[Const]", &s.Const},
                                                          {"[Cars]", &s.Cars},
                                                          {"[TC]", &s.TC}};
  for (const auto& [key, field] : singles)
    if (r.isKey(key)) *field = r.nextLine();

  if (r.isKey("[Stops]")) {
    std::string* f[] = {&s.Stops[0], &s.Stops[1]};
    readLines(r, f, 2);
  }
  if (r.isKey("[Doors]")) {
    std::string* f[] = {&s.Doors[0], &s.Doors[1]};
    readLines(r, f, 2);
  }
  if (r.isKey("[Gears]")) {
    std::string* f[] = {&s.Gears[0], &s.Gears[1], &s.Gears[2]};
    readLines(r, f, 3);
  }
  if (r.isKey("[InfoLabel]"))
    r.readTable(UiStrings::InfoLabelCapacity, [&](int i) { s.InfoLabel[i] = r.line(); }, {.stringRows = true});

  const std::pair<const char*, std::string*> captions[] = {{"[Start]", &s.menu.start},
                                                           {"[Move]", &s.menu.move},
                                                           {"[Display]", &s.menu.display},
                                                           {"[Control]", &s.menu.control},
                                                           {"[Save]", &s.menu.save}};
  for (const auto& [key, field] : captions)
    if (r.isKey(key)) *field = r.nextLine();
}

UiStrings readSettings(RecordFileReader& r) {
  UiStrings s;
  r.scan([&](RecordFileReader& reader) { testKeys(reader, s); });
  if (s.videoFrameRate <= 0) throw r.refusal("[Disp] の映像フレームレートは1以上にしてください");
  return s;
}

}  // namespace

UiStrings loadSettings(std::string_view bytes) {
  RecordFileReader r(FileKind::Settings, bytes);
  return readSettings(r);
}

UiStrings loadSettingsFile(const DataDirectory& data) {
  RecordFileReader r = RecordFileReader::open(data, SettingsFileName, FileKind::Settings);
  return readSettings(r);
}

}  // namespace cab
