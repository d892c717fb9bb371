#include <iostream>

#include "tools/BarcodeCli.h"

int main(int argc, char** argv) {
  return vantor::RunBarcodeCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
