// The overlays over the front video: the track-side signs, the stop-position
// markers and the texts drawn on the video.
#include "core/platform/cab_surface.h"
#include "core/presentation/overlays/stop_position.h"
#include "core/presentation/overlays/track_signs.h"
#include "core/presentation/overlays/video_text.h"
#include "core/shell/drive.h"

namespace cab {

void Drive::startOverlays() { overlays.sprites = findOverlaySprites(sprites); }

void Drive::drawVideoText() {
  const VideoTextLayout layout{strings.videoWidth, strings.videoHeight, options.Information, options.Moji,
                               route.OneMan != 0};
  overlays.texts = videoTexts(uiText, layout, overlays.commentaryWidth);
  // The next frame centres the commentary on the width it has now.
  if (commentaryShown(uiText, layout))
    overlays.commentaryWidth = platform_.surface.textWidth(uiText.commentary, commentaryTextSize(layout.width));
}

void Drive::placeOverlays() {
  const StopPositionInputs stop{stationState.remainingDistance,
                                StationTable(stations())[stationState.nextStopIndex].genkai,
                                {route.PerspectiveDistance, route.HorizonHeight},
                                strings.videoHeight,
                                vehicle.Length * vehicle.Cars * 100};
  placeStopPosition(overlays, stop, sprites);
  const TrackSignInputs signs{stationState.display.stopBoardPattern,
                              signalState,
                              signalRows(),
                              route.SignalBaseX,
                              route.SignalBaseY,
                              vehicle.ATS_Type,
                              speedLimits.limitSignPattern,
                              operation.lamps.limitSign};
  showTrackSigns(overlays, signs, sprites);
  showTrackEventSigns(overlays, trackEvents, sprites);
}

}  // namespace cab
