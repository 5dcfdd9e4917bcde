// lumbatch: converts KVX and HZN logo files to 24-bit BMP files.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "batch/LumBatch.h"
#include "console/ProgramInfo.h"

namespace {

constexpr const char* kHelp =
    "lumbatch - converts KVX and HZN logo files to 24-bit BMP files\n"
    "\n"
    "usage: lumbatch filename [/i]\n"
    "  filename   a logo file or a wildcard mask, quoted: 'logos/*.kvx'\n"
    "  /i         convert files of any size, not only 3008-byte KVX logos\n"
    "  --help     print this help (only as the only argument)\n"
    "  --version  print the version (only as the only argument)\n"
    "Each logo is written beside it as a BMP file; the first failure ends the run\n"
    "with exit status 1. See lumbatch(1).\n";

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
  if (const auto status = lum::AnswerHelpOrVersion(arguments, "lumbatch", kHelp, std::cout)) return *status;
  const int status = lum::RunLumBatch(arguments, std::cout);
  std::cout.flush();
  return std::cout ? status : 1;
}
