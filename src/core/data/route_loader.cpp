#include "core/data/route_loader.h"

#include <algorithm>

#include "core/common/data_directory.h"
#include "core/data/record_file_reader.h"
#include "core/data/route_tables.h"

namespace cab {

namespace {

void label(RecordFileReader& r, const char* text) { r.setSectionLabel(text); }

template <class T, class Row>
void headerTable(RecordFileReader& r, std::vector<T>& rows, int& count, Row row,
                 RecordFileReader::TableOptions options = {}) {
  count = r.readTable(
      static_cast<int>(rows.size()), [&](int i) { row(rows[static_cast<std::size_t>(i)]); }, options);
}

void testHeaderKeys(RecordFileReader& r, RouteData& d, const std::string& vehicleFile, const RouteImageTarget& target) {
  if (r.isKey("[LineName]")) d.LineName = r.nextLine();
  if (r.isKey("[LineName2]")) d.LineName2 = r.nextLine();
  if (r.isKey("[StartPos]")) {
    r.nextLine();
    d.StartPos = r.intField(1);
  }
  if (r.isKey("[Staf]")) {
    d.StafTimetable = r.nextLine();
    d.StafPicture = r.nextLine();
    d.StafSubDisplay = r.nextLine();
  }
  if (r.isKey("[Friction]")) {
    r.nextLine();
    d.Friction = r.realField(1);
  }
  if (r.isKey("[MovieStop]")) {
    label(r, "[MovieStop]");
    headerTable(r, d.MovieStop, d.MovieStopCount, [&](int& f) { f = r.intField(1); });
  }
  if (r.isKey("[MovieSwitch]")) {
    label(r, "[MovieSwitch]");
    headerTable(r, d.MovieSwitch, d.MovieSwitchCount, [&](MovieSwitchData& m) {
      m.swtype = r.intField(1);
      m.Start = r.intField(2);
      m.Stop = r.intField(3);
      m.name = r.field(4);
      m.endf = r.intField(5);
      m.next = r.intField(6);
      m.time = r.intField(7);
      m.soundf = r.intField(8);
      m.sound = r.intField(9);
    });
  }
  if (r.isKey("[Speed_Signal]")) {
    label(r, "[Speed_Signal]");
    headerTable(r, d.Speed_Signal, d.Speed_SignalCount, [&](int& s) { s = r.intField(1); });
  }
  if (r.isKey("[DataName]")) {
    label(r, "[Speed_Signal]");
    d.DataName = r.nextLine();
  }
  if (r.isKey("[Perspective]")) {
    label(r, "[Speed_Signal]");
    r.nextLine();
    d.PerspectiveDistance = r.realField(1);
    r.nextLine();
    d.HorizonHeight = r.intField(1);
  }
  if (r.isKey("[Pre_Train]")) {
    label(r, "[Pre_Train]");
    r.nextLine();
    d.PreTrainStart = r.intField(1);
    d.PreTrainLimit = r.intField(2);
    headerTable(r, d.PreTrain, d.PreTrainCount, [&](PreTrainData& p) {
      p.station = r.intField(1);
      p.speed = r.intField(2);
      p.deptime = r.intField(3);
    });
  }
  if (r.isKey("[OneMan]")) {
    label(r, "[Pre_Train]");
    r.nextLine();
    d.OneMan = r.intField(1);
    r.nextLine();
    d.OneMan2 = r.intField(1);
  }
  if (r.isKey("[SoundData]")) {
    label(r, "[SoundData]");
    headerTable(r, d.SoundData, d.SoundDataCount, [&](std::string& f) { f = r.line(); }, {.stringRows = true});
  }
  if (r.isKey("[Monitor]")) {
    label(r, "[SoundData]");
    // Only the block naming the current vehicle is read beyond its first line.
    if (r.nextLine() == vehicleFile) {
      r.nextLine();
      d.MonitorLeft = r.intField(1);
      r.nextLine();
      d.MonitorTop = r.intField(1);
      r.nextLine();
      d.MonitorPatternWidth = r.intField(1);
      r.nextLine();
      d.MonitorPatternHeight = r.intField(1);
      d.MonitorPicture = r.nextLine();
      addMonitorImage(target, d);
    }
  }
  if (r.isKey("[Announce]")) {
    label(r, "[Announce]");
    r.nextLine();
    d.Announce[0].sound = r.intField(1);
    d.AnnounceValue = r.intField(2);
    // The overrun announcement of the first line is row 0; the rows follow from 1.
    d.AnnounceCount = r.readTable(RouteCapacity::Announce - 1, [&](int i) {
      AnnounceData& a = d.Announce[static_cast<std::size_t>(i) + 1];
      a.sound = r.intField(1);
      a.kind = r.intField(2);
      a.station = r.intField(3);
      a.offset = r.intField(4);
      a.kanko = r.intField(5);
    });
  }
  if (r.isKey("[KankoSound1]")) {
    label(r, "[KankoSound1]");
    for (int i = 0; i < RouteCapacity::KankoSound1; ++i) d.KankoSound1[static_cast<std::size_t>(i)] = r.nextLine();
  }
  if (r.isKey("[KankoSound2]")) {
    label(r, "[KankoSound2]");
    d.KankoCount = RouteCapacity::KankoSound1;
    r.readTable(RouteCapacity::Kanko - RouteCapacity::KankoSound1,
                [&](int j) {
                  d.Kanko[static_cast<std::size_t>(d.KankoCount)] = {j, r.line()};
                  ++d.KankoCount;
                },
                {.stringRows = true});
  }
}

void testImageListKeys(RecordFileReader& r, RouteData& d, const RouteImageTarget& target) {
  if (r.isKey("[SignImageList]")) {
    label(r, "[SignImageList]");
    readSignImageList(r, target);
  }
  if (r.isKey("[SignalImageList]")) {
    label(r, "[SignalImageList]");
    readSignalImageList(r, target, d);
  }
}

void testCellImageListKeys(RecordFileReader& r, const RouteImageTarget& target) {
  if (r.isKey("[AnimImageList]")) {
    label(r, "[AnimImageList]");
    readCellImageList(r, target, target.lists.AnimImageList);
  }
  if (r.isKey("[TrafficSignalImageList]")) {
    label(r, "[TrafficSignalImageList]");
    readCellImageList(r, target, target.lists.TrafficsignalImageList);
  }
}

// The timetable picture and the sub-display picture ("[Staf]" lines 1 and 3)
// must exist when they are named; the start picture of line 2 is only shown.
void checkStafPictures(const RouteData& d, const DataDirectory& data) {
  for (const std::string* file : {&d.StafTimetable, &d.StafSubDisplay})
    if (!file->empty() && !data.exists(*file)) throw DataError(*file + "が見つかりません");
}

RouteData readRoute(RecordFileReader& r, const std::string& vehicleFile, const RouteImageTarget& target) {
  RouteData d;
  r.scan([&](RecordFileReader& reader) {
    testHeaderKeys(reader, d, vehicleFile, target);
    testStationAndSignalKeys(reader, d);
    testImageListKeys(reader, d, target);
    testTrackEventKeys(reader, d);
    testCellImageListKeys(reader, target);
    testSpeedUnitAndLaterKeys(reader, d);
  });
  checkStafPictures(d, target.data);
  return d;
}

}  // namespace

RouteData loadRoute(std::string_view bytes, const std::string& vehicleFile, const RouteImageTarget& target) {
  RecordFileReader r(FileKind::Route, bytes);
  return readRoute(r, vehicleFile, target);
}

RouteData loadRouteFile(const std::string& routeFile, const std::string& vehicleFile, const RouteImageTarget& target) {
  RecordFileReader r = RecordFileReader::open(target.data, routeFile, FileKind::Route);
  return readRoute(r, vehicleFile, target);
}

void checkSignalTables(const RouteData& route) {
  if (route.SignalCount != route.Signal2Count)
    throw DataError("信号機数不一致:" + std::to_string(route.SignalCount) + ":" + std::to_string(route.Signal2Count));
  // The entries the aspects 0 to the highest translate must be aspects of "[Speed_Signal]" themselves.
  const int highest = route.Speed_SignalCount - 1;
  const int rows = std::min(route.Signal2Count, static_cast<int>(route.Signal2.size()));
  for (int i = 0; i < rows; ++i) {
    const auto& row = route.Signal2[static_cast<std::size_t>(i)];
    for (int k = 0; k <= highest && k < static_cast<int>(row.size()); ++k) {
      const int aspect = row[static_cast<std::size_t>(k)];
      if (aspect >= 0 && aspect <= highest) continue;
      throw DataError(
          std::vector<std::string>{"路線ファイルに誤りがあります。[Signal2]:" + std::to_string(i + 1) + "行目",
                                   std::to_string(k + 1) + "桁目の現示" + std::to_string(aspect) +
                                       "が[Speed_Signal]の現示0〜" + std::to_string(highest) + "にありません"});
    }
  }
}

}  // namespace cab
