#include <iostream>
#include <string>
#include <vector>

#include "zentrax_stats.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return zentrax::runZentraxStats(std::move(args), std::cout, std::cerr);
}
