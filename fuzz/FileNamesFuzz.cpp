// Fuzz target: the file-name rules on arbitrary bytes, with both separator
// sets. The extension and the rest reassemble the name; replacing an
// extension twice is the same as once; the folder part is a prefix.
#include <string>

#include "codec/FileNames.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  for (const std::string_view separators : {lum::kHostSeparators, lum::kWindowsSeparators}) {
    const std::string extension = lum::ExtractFileExt(name, separators);
    const std::string stem = lum::ChangeFileExt(name, "", separators);
    if (stem + extension != name) lum::fuzz::Fail("extension and stem do not reassemble the name");
    const std::string once = lum::ChangeFileExt(name, ".bmp", separators);
    if (lum::ChangeFileExt(once, ".bmp", separators) != once) lum::fuzz::Fail("replacing twice differs");
    if (lum::ExtractFileExt(once, separators) != ".bmp") lum::fuzz::Fail("new extension not found");
    const std::string folder = lum::ExtractFilePath(name, separators);
    if (name.compare(0, folder.size(), folder) != 0) lum::fuzz::Fail("folder part is no prefix");
    if (lum::LowerCase(name).size() != name.size()) lum::fuzz::Fail("lower-casing changed the length");
  }
  return 0;
}
