#pragma once

#include <functional>
#include <ostream>

namespace cab::headless {

// Runs `body`. A halt, or any other exception escaping it, is printed as
// "halt: <text>" lines on `err` (a halt's texts in order, another
// exception's what()); the result is then false.
bool runReportingHalts(const std::function<void()>& body, std::ostream& err);

}  // namespace cab::headless
