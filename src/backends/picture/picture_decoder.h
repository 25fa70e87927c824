#pragma once

#include "core/platform/picture_loader.h"

namespace cab {

// BMP, JPEG and PNG pictures, told apart by their first bytes.
class PictureDecoder : public PictureLoader {
 public:
  Result decode(std::string_view bytes) const override;
};

}  // namespace cab
