// lumenc: converts BMP files to KVX and HZN logo files.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "console/ProgramInfo.h"
#include "lumenc/LumEnc.h"

namespace {

constexpr const char* kHelp =
    "lumenc - converts BMP files to KVX and HZN logo files\n"
    "\n"
    "usage: lumenc filename [/on | /off]\n"
    "  filename   a BMP file or a wildcard mask, quoted: 'pictures/*.bmp'\n"
    "  /on /off   near-black pixels transparent in every image / in none\n"
    "             (default: only in 50 x 30 images)\n"
    "  --help     print this help (only as the only argument)\n"
    "  --version  print the version (only as the only argument)\n"
    "Each bitmap is written beside it as a logo file, .hzn for 54 x 34 and .kvx for\n"
    "every other size; the first failure ends the run with exit status 1.\n"
    "See lumenc(1).\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  if (const auto status = lum::AnswerHelpOrVersion(arguments, "lumenc", kHelp, std::cout)) return *status;
  const int status = lum::RunLumEnc(arguments, std::cout);
  std::cout.flush();
  return std::cout ? status : 1;
}
