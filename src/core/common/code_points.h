#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cab {

// Character counting on UTF-8 text: the data counts characters, not bytes.
std::size_t codePointCount(std::string_view utf8);

// The n-th character (counted from 1) as a string; empty when past the end.
std::string codePointAt(std::string_view utf8, std::size_t n);

// The first n characters (all when fewer).
std::string firstCodePoints(std::string_view utf8, std::size_t n);

// Characters from index `from` (counted from 0) to the end.
std::string codePointsFrom(std::string_view utf8, std::size_t from);

}  // namespace cab
