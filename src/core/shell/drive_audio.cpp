#include "core/platform/audio_out.h"
#include "core/platform/dialogs.h"
#include "core/shell/drive.h"

namespace cab {

// The mixer reports a bad channel number as one of the drive's messages.
void Drive::connectSound() {
  sound =
      platform_.audio ? std::make_unique<SoundMixer>(platform_.audio->outputRate()) : std::make_unique<SoundMixer>();
  sound->setMessageSink([this](const std::string& text) { platform_.dialogs.message(text); });
  if (platform_.audio)
    platform_.audio->setSource([mixer = sound.get()](float* out, int frames) { mixer->render(out, frames); });
}

Drive::~Drive() {
  if (platform_.audio) platform_.audio->setSource({});
}

}  // namespace cab
