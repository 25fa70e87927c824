#include "headless/trace.h"

#include <iomanip>

#include "core/shell/drive.h"

namespace cab::headless {

void writeTraceHeader(std::ostream& out) {
  out << "t_ms,frame,position_cm,speed_kmh,reverser,powerHandle,brakeHandle,powerNotch,brakeCommand,"
         "bcMotor,bcTrailer,bpPressure,erPressure,mrPressure,sapPressure,clock,nextStopIndex,"
         "remainingDistance,doorsOpen,atsEmergency,atsServiceBrake,ebDeviceTrip,signalLimit,"
         "videoLength,videoSwitchState,gear,gearLever,engineRunning,engineRpm,gradient,inTunnel,"
         "shownSignalImage,preTrainFrame\n";
}

void writeTraceRow(std::ostream& out, long long tMs, const Drive& d) {
  const TrainState& t = d.train;
  const StationState& st = d.stationState;
  const ProtectionState& p = d.protection;
  auto real = [&](long double v) -> std::ostream& { return out << std::fixed << std::setprecision(4) << v; };
  out << tMs << ',' << t.frame << ',';
  real(t.position) << ',';
  real(t.speed) << ',' << t.reverser << ',' << t.powerHandle << ',' << t.brakeHandle << ',' << t.powerNotch << ','
                << t.brakeCommand << ',';
  real(t.bcMotor) << ',';
  real(t.bcTrailer) << ',';
  real(t.bpPressure) << ',';
  real(t.erPressure) << ',';
  real(t.mrPressure) << ',';
  real(t.sapPressure) << ',' << d.operation.clock << ',' << st.nextStopIndex << ',';
  real(st.remainingDistance) << ',' << (t.doorsOpen ? 1 : 0) << ',' << p.atsEmergency << ',' << p.atsServiceBrake << ','
                             << p.ebDeviceTrip << ',' << p.signalLimit << ',' << d.video.MovieLength() << ','
                             << d.video.videoSwitchState << ',' << t.gear << ',' << t.gearLever << ','
                             << t.engineRunning << ',';
  real(t.engineRpm) << ',';
  real(d.trackEvents.gradient) << ',' << (d.trackEvents.inTunnel ? 1 : 0) << ',' << d.signalState.shownSignalImage
                               << ',' << d.signalState.preTrainFrame << '\n';
}

}  // namespace cab::headless
