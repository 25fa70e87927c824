#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "core/common/picture.h"

namespace cab {

// Decodes a picture file's bytes (BMP, JPEG or PNG, told apart by content).
// The error text says why a picture could not be decoded.
class PictureLoader {
 public:
  struct Error {
    std::string text;
  };
  using Result = std::variant<Picture, Error>;

  virtual ~PictureLoader() = default;
  virtual Result decode(std::string_view bytes) const = 0;
};

}  // namespace cab
