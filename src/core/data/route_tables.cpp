#include "core/data/route_tables.h"

#include <initializer_list>

#include "core/data/record_file_reader.h"
#include "core/data/route_data.h"

namespace cab {

namespace {

// Stores comma fields 1, 2, ... of the current line as integers into the
// given fields of a row, in order.
template <class T>
void fillInts(const RecordFileReader& r, T& row, std::initializer_list<int T::*> fields) {
  int n = 1;
  for (int T::*f : fields) row.*f = r.intField(n++);
}

template <std::size_t N>
void fillInts(const RecordFileReader& r, std::array<int, N>& values) {
  for (std::size_t k = 0; k < N; ++k) values[k] = r.intField(static_cast<int>(k) + 1);
}

// A table key: the label is the key, the rows are filled by `row`.
template <class T, class Row>
void table(RecordFileReader& r, const char* key, std::vector<T>& rows, int& count, Row row,
           RecordFileReader::TableOptions options = {}) {
  if (!r.isKey(key)) return;
  r.setSectionLabel(key);
  count = r.readTable(
      static_cast<int>(rows.size()), [&](int i) { row(rows[static_cast<std::size_t>(i)]); }, options);
}

void readStation(const RecordFileReader& r, StationData& s) {
  s.Name = r.field(1);
  int n = 2;
  for (int StationData::*f :
       {&StationData::trntype, &StationData::Start, &StationData::genkai, &StationData::arrsound,
        &StationData::depsound, &StationData::bcksound, &StationData::deptime, &StationData::maxspeed,
        &StationData::pattern, &StationData::door, &StationData::prob, &StationData::time, &StationData::person,
        &StationData::doorprob, &StationData::tail, &StationData::percent})
    s.*f = r.intField(n++);
}

void readSignal(const RecordFileReader& r, SignalData& s) {
  using S = SignalData;
  fillInts(r, s, {&S::kind,           &S::subImage,  &S::subSignal,  &S::headType,     &S::startFrame,
                  &S::positionFrame,  &S::atsFrame,  &S::checkFrame, &S::fixedAspect,  &S::time,
                  &S::overrideAspect, &S::switchIdx, &S::mainX,      &S::mainY,        &S::sub1Image,
                  &S::sub1X,          &S::sub1Y,     &S::sub2Image,  &S::sub2X,        &S::sub2Y,
                  &S::sub0X,          &S::sub0Y,     &S::extraImage, &S::sub1AltImage, &S::sub2AltImage});
}

void readTrafficSignal(const RecordFileReader& r, TrafficSignalData& t) {
  t.positionFrame = r.intField(1);
  t.startFrame = r.intField(2);
  t.endFrame = r.intField(3);
  int n = 4;
  for (TrafficSignalPhase& p : t.phases) {
    p.image = r.intField(n++);
    p.duration = r.intField(n++);
    p.stop = r.intField(n++);
  }
  t.lineFrame = r.intField(22);
  t.viewEndFrame = r.intField(23);
  t.imageA = r.intField(24);
  t.imageB = r.intField(25);
  t.flag = r.intField(26);
}

}  // namespace

void testStationAndSignalKeys(RecordFileReader& r, RouteData& d) {
  table(r, "[Station]", d.Station, d.StationCount, [&](StationData& s) { readStation(r, s); });
  table(r, "[Signal]", d.Signal, d.SignalCount, [&](SignalData& s) { readSignal(r, s); });
  table(r, "[Signal2]", d.Signal2, d.Signal2Count, [&](std::array<int, 10>& row) {
    for (int k = 0; k < 10; ++k) row[static_cast<std::size_t>(k)] = r.digitAt(k + 1);
  });
  table(r, "[TrafficSignal]", d.TrafficSignal, d.TrafficSignalCount,
        [&](TrafficSignalData& t) { readTrafficSignal(r, t); });
  using L = SpeedLimitData;
  table(r, "[SpeedLimit]", d.SpeedLimit, d.SpeedLimitCount, [&](L& s) {
    fillInts(r, s, {&L::limit, &L::signImage, &L::pointType, &L::positionFrame, &L::endFrame, &L::endImage});
  });
  if (r.isKey("[MaxSpeedCheck]")) {
    r.setSectionLabel("[MaxSpeedCheck]");
    r.nextLine();
    d.MaxSpeedCheck = r.intField(1);
  }
  using C = SpeedCheckData;
  table(r, "[SpeedCheck1]", d.SpeedCheck1, d.SpeedCheck1Count, [&](C& s) {
    fillInts(r, s, {&C::limit, &C::checkSpeed, &C::positionFrame, &C::linkedSignal});
  });
  table(r, "[SpeedCheck2]", d.SpeedCheck2, d.SpeedCheck2Count, [&](C& s) {
    fillInts(r, s, {&C::limit, &C::checkSpeed, &C::positionFrame, &C::endFrame});
  });
  table(r, "[SpeedCheck3]", d.SpeedCheck3, d.SpeedCheck3Count, [&](C& s) {
    fillInts(r, s, {&C::limit, &C::checkSpeed, &C::positionFrame, &C::endFrame});
  });
}

void testTrackEventKeys(RecordFileReader& r, RouteData& d) {
  const RecordFileReader::TableOptions remarks{.skipSemicolonRows = true};
  const RecordFileReader::TableOptions files{.stringRows = true};
  table(
      r, "[Sound]", d.Sound, d.SoundCount,
      [&](PositionSoundData& s) {
        fillInts(r, s,
                 {&PositionSoundData::sound, &PositionSoundData::startFrame, &PositionSoundData::endFrame,
                  &PositionSoundData::refSpeed});
        for (int k = 0; k < 5; ++k) s.options[static_cast<std::size_t>(k)] = r.intField(5 + k);
      },
      remarks);
  table(
      r, "[Sound2]", d.Sound2, d.Sound2Count,
      [&](Sound2Data& s) {
        fillInts(r, s, {&Sound2Data::sound, &Sound2Data::fromStation, &Sound2Data::toStation});
      },
      remarks);
  using P = DopplerData;
  table(r, "[Doppler]", d.Doppler, d.DopplerCount, [&](P& s) {
    fillInts(r, s, {&P::sound, &P::positionFrame, &P::range, &P::fixedPitch, &P::condition});
  });
  table(r, "[Tunnel]", d.Tunnel, d.TunnelCount, [&](TunnelData& s) {
    fillInts(r, s, {&TunnelData::startFrame, &TunnelData::endFrame, &TunnelData::level});
  });
  table(r, "[Atten]", d.Atten, d.AttenCount, [&](AttenData& s) {
    fillInts(r, s, {&AttenData::startFrame, &AttenData::endFrame, &AttenData::unused, &AttenData::percent});
  });
  if (r.isKey("[TunnelR]")) {
    r.setSectionLabel("[TunnelR]");
    r.nextLine();
    d.TunnelR = r.intField(1);
  }
  table(r, "[Slope]", d.Slope, d.SlopeCount, [&](SlopeData& s) {
    s.gradient = r.fixedField(1);
    s.startFrame = r.intField(2);
    s.endFrame = r.intField(3);
  });
  table(r, "[Sign]", d.Sign, d.SignCount, [&](SignData& s) {
    fillInts(r, s, {&SignData::image, &SignData::startFrame, &SignData::endFrame, &SignData::switchTime});
  });
  table(r, "[Anim]", d.Anim, d.AnimCount, [&](AnimData& s) {
    fillInts(r, s, {&AnimData::startFrame, &AnimData::endFrame, &AnimData::interval, &AnimData::baseImage});
  });
  table(r, "[SignalKanko]", d.SignalKanko, d.SignalKankoCount, [&](SignalKankoData& s) { fillInts(r, s.values); });
  table(r, "[StationKanko]", d.StationKanko, d.StationKankoCount, [&](StationKankoData& s) { fillInts(r, s.values); });
  table(
      r, "[OtherKanko]", d.OtherKanko, d.OtherKankoCount, [&](std::string& f) { f = r.line(); }, files);
  table(
      r, "[LimitKanko]", d.LimitKanko, d.LimitKankoCount, [&](std::string& f) { f = r.line(); }, files);
}

void readSpeedUnitRows(RecordFileReader& r, RouteData& d) {
  d.SpeedUnitCount = 0;
  r.readTable(RouteCapacity::SpeedUnit, [&](int i) {
    SpeedUnitData& u = d.SpeedUnit[static_cast<std::size_t>(i)];
    u.frameStart = r.intField(1);
    u.frameEnd = r.intField(2);
    u.speedStart = r.realField(3);
    u.speedEnd = r.realField(4);
    d.SpeedUnitCount = i + 1;
  });
}

void testSpeedUnitAndLaterKeys(RecordFileReader& r, RouteData& d) {
  if (r.isKey("[SpeedUnit]")) {
    r.setSectionLabel("[SpeedUnit]");
    readSpeedUnitRows(r, d);
  }
  using X = CrossData;
  table(r, "[Cross]", d.Cross, d.CrossCount, [&](X& s) {
    fillInts(r, s, {&X::image, &X::value2, &X::startFrame, &X::endFrame, &X::switchIdx});
  });
  table(r, "[Switch]", d.Switch, d.SwitchCount, [&](SwitchData& s) {
    fillInts(r, s, {&SwitchData::positionFrame, &SwitchData::switchType});
  });
  table(r, "[Time]", d.Time, d.TimeCount, [&](TimeData& s) {
    fillInts(r, s, {&TimeData::startFrame, &TimeData::endFrame, &TimeData::callout});
  });
}

}  // namespace cab
