#include "backends/picture/picture_decoder.h"

namespace cab {

PictureLoader::Result PictureDecoder::decode(std::string_view) const { return Error{"unsupported picture format"}; }

}  // namespace cab
