// The track-side events of a drive: gradients, road traffic lights, signs,
// timed check points, level crossings and tunnels.
#include "core/shell/drive_track_events.h"

#include "core/route/track_events/gradient.h"
#include "core/route/track_events/level_crossings.h"
#include "core/route/track_events/lineside_signs.h"
#include "core/route/track_events/traffic_lights.h"
#include "core/route/track_events/tunnels.h"
#include "core/shell/drive.h"

namespace cab {

namespace {

// The physics step reads the train's average gradient and the tunnel flag.
void feedPhysics(Drive& d) {
  d.track.gradient = d.trackEvents.avgGradient;
  d.track.inTunnel = d.trackEvents.inTunnel;
}

}  // namespace

bool gradientStep(Drive& d) {
  updateGradient(d.trackEvents, d.trackEventRows().slopes, d.train.frame, d.train.position, d.vehicle.Length);
  feedPhysics(d);
  return true;
}

bool trafficLightsStep(Drive& d) {
  const TrafficLightTexts texts{d.uiText.label8Text, d.uiText.tcText, d.strings.TC, d.strings.Stops};
  updateTrafficLights(d.trackEvents, d.trackEventRows().lights, d.train.frame, d.train.position, texts);
  return true;
}

bool signsAndCrossingsStep(Drive& d) {
  const TrackEventRows rows = d.trackEventRows();
  const SignConditions c{d.train.frame, d.train.speed, d.stationState.remainingDistance, d.operation.clock};
  // A new sign makes its call-out due again.
  if (updateSigns(d.trackEvents, rows.signs, rows.times, c)) d.callouts.lastCallout = -1;
  updateLevelCrossings(d.trackEvents, rows.crossings, d.train.frame, d.stationState.departed);
  return true;
}

bool tunnelsStep(Drive& d) {
  updateTunnels(d.trackEvents, d.trackEventRows().tunnels, d.train.position);
  feedPhysics(d);
  setVisible(d.sprites, d.panelSprites[PanelElement::Panel2],
             tunnelPanelShown(d.options.Tunnel, d.trackEvents.tunnelLevel));
  return true;
}

void startTrackEvents(Drive& d) {
  startTrackEvents(d.trackEvents, d.vehicle.Cars, d.trackEventRows().lights);
  feedPhysics(d);
}

void jumpTrackEvents(Drive& d) {
  TrackEventState& s = d.trackEvents;
  const TrackEventRows rows = d.trackEventRows();
  s.lightImageShown = TrackEventState::Redraw;
  s.gradient = s.avgGradient = Fixed4{};
  s.shownSign = TrackEventState::NoPicture;
  s.signTicks = 0;
  d.uiText.label8Text.clear();
  d.uiText.tcText.clear();
  rebuildCrossingQueue(s, rows.crossings, d.train.frame);
  if (!trafficLightInRange(rows.lights, d.train.frame)) {
    s.lightImageNow = s.lightImageShown = TrackEventState::NoPicture;
    d.signalState.shownSignal = TrackEventState::NoPicture;
  }
  feedPhysics(d);
}

}  // namespace cab
