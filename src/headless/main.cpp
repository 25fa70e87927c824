#include <iostream>

#include "headless/halt_lines.h"
#include "headless/runner.h"

namespace {

int run(int argc, char** argv) {
  std::string error;
  auto options = cab::headless::parseArguments(argc, argv, error);
  if (!options) {
    std::cerr << error << '\n';
    return 2;
  }
  if (options->help) {
    std::cout << cab::headless::UsageText << '\n';
    return 0;
  }
  if (options->version) {
    std::cout << "cabview-headless " CABVIEW_VERSION "\n";
    return 0;
  }
  return cab::headless::runDrive(*options, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  int status = 2;
  // runDrive reports a drive's own failures; this catches whatever escapes the rest.
  if (!cab::headless::runReportingHalts([&] { status = run(argc, argv); }, std::cerr)) return 2;
  return status;
}
