// lumthumb: the thumbnail of a KVX or HZN logo file as a PNG file.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "console/ProgramInfo.h"
#include "thumb/LumThumb.h"

namespace {

constexpr const char* kHelp =
    "lumthumb - writes the thumbnail of a KVX or HZN logo file as a PNG file\n"
    "\n"
    "usage: lumthumb input output size\n"
    "  input      the logo file\n"
    "  output     the PNG file to write, whole or not at all\n"
    "  size       the longest side allowed, 1 to 4096 pixels; the logo is enlarged\n"
    "             by the largest whole factor that fits, never shrunk\n"
    "  --help     print this help (only as the only argument)\n"
    "  --version  print the version (only as the only argument)\n"
    "File managers run it as \"lumthumb %i %o %s\". See lumthumb(1).\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  if (const auto status = lum::AnswerHelpOrVersion(arguments, "lumthumb", kHelp, std::cout)) return *status;
  return lum::RunLumThumb(arguments, std::cerr);
}
