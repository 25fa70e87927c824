#include "headless/halt_lines.h"

#include <exception>

#include "core/data/data_error.h"

namespace cab::headless {

bool runReportingHalts(const std::function<void()>& body, std::ostream& err) {
  try {
    body();
    return true;
  } catch (const HaltError& e) {
    for (const auto& text : e.messages()) err << "halt: " << text << '\n';
  } catch (const std::exception& e) {
    err << "halt: " << e.what() << '\n';
  } catch (...) {
    err << "halt: unknown error\n";
  }
  return false;
}

}  // namespace cab::headless
