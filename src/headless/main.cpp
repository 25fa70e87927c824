#include <iostream>

#include "headless/runner.h"

int main(int argc, char** argv) {
  std::string error;
  auto options = cab::headless::parseArguments(argc, argv, error);
  if (!options) {
    std::cerr << error << '\n';
    return 2;
  }
  return cab::headless::runDrive(*options, std::cout, std::cerr);
}
