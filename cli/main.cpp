// tarvik-commerce: command-line access to the commerce-intelligence stages.
#include <iostream>

#include "commands.hpp"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return tarvik::cli::run(argc, argv);
}
