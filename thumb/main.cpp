// lumthumb: the thumbnail of a KVX or HZN logo file as a PNG file.
#include <iostream>
#include <string>
#include <vector>

#include "thumb/LumThumb.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return lum::RunLumThumb(arguments, std::cerr);
}
