#pragma once

#include <optional>
#include <string>

namespace cab {

struct TitleChoice;

// What the title window does for the title's logic: its media player, the
// vehicle file dialog, the confirmation box, the desktop shell and the drive.
class TitleHost {
 public:
  struct Size {
    int width = 0;
    int height = 0;
  };

  virtual ~TitleHost() = default;
  // The media player: opens a movie (played on the movie surface) or a sound
  // and plays it; false when it cannot be opened or played. stopMedia stops
  // and closes whatever plays.
  virtual bool playMovie(const std::string& dataPath) = 0;
  virtual bool playSound(const std::string& dataPath) = 0;
  virtual void stopMedia() = 0;
  // The size of a picture the window shows; none when it cannot be read.
  virtual std::optional<Size> pictureSize(const std::string& dataPath) = 0;
  // The vehicle file dialog: the file chosen, none when cancelled.
  virtual std::optional<std::string> pickVehicleFile() = 0;
  // A box with OK and Cancel; true for OK.
  virtual bool confirm(const std::string& text) = 0;
  // Asks the desktop to open a document (a data path).
  virtual void openDocument(const std::string& dataPath) = 0;
  // Shows the window as the title's view is now, before a long operation.
  virtual void refresh() = 0;
  // Runs one drive in a new driving window, modally: the window loads (its
  // progress shown in the title's status label), the title hides, the drive
  // runs, and once the driving window has closed the title shows again (also
  // when the drive ends by an exception).
  virtual void runDrive(const TitleChoice& choice) = 0;
  // Closes the title window (its close query follows).
  virtual void closeWindow() = 0;
};

}  // namespace cab
