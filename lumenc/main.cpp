// lumenc: converts BMP files to KVX and HZN logo files.
#include <iostream>
#include <string>
#include <vector>

#include "lumenc/LumEnc.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int status = lum::RunLumEnc(arguments, std::cout);
  std::cout.flush();
  return std::cout ? status : 1;
}
