// lumbatch: converts KVX and HZN logo files to 24-bit BMP files.
#include <iostream>
#include <string>
#include <vector>

#include "batch/LumBatch.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int status = lum::RunLumBatch(arguments, std::cout);
  std::cout.flush();
  return std::cout ? status : 1;
}
