#pragma once

#include <algorithm>
#include <iterator>
#include <span>

namespace cab {

// The first `count` rows of a fixed-size table, never past its capacity (a
// const table gives const rows).
template <class Table>
auto rowsInUse(Table& table, int count) {
  return std::span(table).first(static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(std::size(table)))));
}

}  // namespace cab
