// Writes the viewer's picture resources into a folder:
//   make_pictures <folder>
// MAINICON.ico, SaveBtn.bmp and ShowBtn.bmp, drawn in Pictures.cpp.
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/Pictures.h"

namespace {

bool Write(const std::string& path, const lum::tools::Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  const bool written = Write(folder + "/MAINICON.ico", lum::tools::IconFileBytes()) &&
                       Write(folder + "/SaveBtn.bmp", lum::tools::SaveGlyphBytes()) &&
                       Write(folder + "/ShowBtn.bmp", lum::tools::ShowGlyphBytes());
  return written ? 0 : 1;
}
