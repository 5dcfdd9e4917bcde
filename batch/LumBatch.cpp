#include "batch/LumBatch.h"

#include "codec/Decoder.h"
#include "codec/FileNames.h"
#include "console/ConsoleRun.h"
#include "platform/files/HostFiles.h"
#include "platform/files/Paths.h"

namespace lum {

namespace {

constexpr const char* kBanner = "lumbatch - converts KVX and HZN logo files to 24-bit BMP files";
constexpr const char* kUsage =
    "usage: lumbatch filename [/i]\n"
    "  filename  a logo file or a wildcard mask, quoted: 'logos/*.kvx'\n"
    "  /i        convert files of any size, not only 3008-byte KVX logos\n";

}  // namespace

bool IsEligibleEntry(const platform::DirectoryEntry& entry, bool ignoreSize) {
  if (LowerCase(ExtractFileExt(entry.name)) == ".bmp") return false;
  if (entry.name == "." || entry.name == "..") return false;
  // Some file systems (btrfs) give folders a size of their own; here it is 0.
  const uint64_t size = entry.isDirectory ? 0 : entry.size;
  return ignoreSize || size == static_cast<uint64_t>(kKvxFileSize);
}

bool ConvertLogoFile(const std::string& inputName, ByteBuffer& inputBuffer, std::ostream& console) {
  return ReportFailure(console, inputName, [&] {
    platform::RefuseOutputOverSource(inputName, BmpNameFor(inputName));  // a.bmp may be a link to a.kvx
    std::unique_ptr<OutputWriter> output = DecodeLogoToFile(inputName, inputBuffer, platform::HostFiles());
    PrintConverted(console, inputName, BmpNameFor(inputName));
    output->Close();  // after the success line: a failing close prints both
  });
}

int RunLumBatch(const std::vector<std::string>& arguments, std::ostream& console) {
  bool ignoreSize = false;
  for (const std::string& argument : arguments) {
    if (IsSwitch(argument, "i")) ignoreSize = true;
  }
  ByteBuffer inputBuffer;
  return RunOverMask(arguments, console, kBanner, kUsage,
                     [&](const platform::DirectoryEntry& entry, const std::string& inputName) {
                       return !IsEligibleEntry(entry, ignoreSize) || ConvertLogoFile(inputName, inputBuffer, console);
                     });
}

}  // namespace lum
