#pragma once

namespace cab {

// The call-outs' and announcements' state: the next manual announcement.
struct CalloutState {
  int announceIndex = 0;
};

}  // namespace cab
