#pragma once

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "backends/picture/picture_decoder.h"

namespace cab::test {

inline Picture decodeOk(const std::string& bytes) {
  PictureDecoder decoder;
  auto result = decoder.decode(bytes);
  if (auto* err = std::get_if<PictureLoader::Error>(&result)) {
    ADD_FAILURE() << "decode failed: " << err->text;
    return {};
  }
  return std::get<Picture>(result);
}

inline std::string decodeError(const std::string& bytes) {
  PictureDecoder decoder;
  auto result = decoder.decode(bytes);
  if (auto* err = std::get_if<PictureLoader::Error>(&result)) return err->text;
  return {};
}

}  // namespace cab::test
