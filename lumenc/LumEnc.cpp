#include "lumenc/LumEnc.h"

#include "codec/Encoder.h"
#include "codec/FileNames.h"
#include "console/ConsoleRun.h"
#include "platform/bitmap/Bitmap.h"
#include "platform/files/HostFiles.h"
#include "platform/files/Paths.h"

namespace lum {

namespace {

constexpr const char* kBanner = "lumenc - converts BMP files to KVX and HZN logo files";
constexpr const char* kUsage =
    "usage: lumenc filename [/on | /off]\n"
    "  filename  a BMP file or a wildcard mask, quoted: 'pictures/*.bmp'\n"
    "  /on /off  near-black pixels transparent in every image / in none (default: only in 50 x 30 images)\n";

// "Auto" unless a switch says otherwise; of "/on" and "/off" the last counts.
int SetTransFromSwitches(const std::vector<std::string>& arguments) {
  int index = kSetTransAuto;
  for (const std::string& argument : arguments) {
    if (IsSwitch(argument, "on")) index = kSetTransOn;
    if (IsSwitch(argument, "off")) index = kSetTransOff;
  }
  return index;
}

bool IsEligible(const platform::DirectoryEntry& entry) {
  return !entry.isDirectory && LowerCase(ExtractFileExt(entry.name)) == ".bmp";
}

}  // namespace

bool ConvertBmpFile(const std::string& inputName, int setTransIndex, ByteBuffer& logoBuffer,
                    std::ostream& console) {
  return ReportFailure(console, inputName, [&] {
    const platform::Bitmap bitmap = platform::Bitmap::LoadFromFile(inputName);
    const int32_t width = bitmap.Width();
    const int32_t height = bitmap.Height();
    EncodeLogo(bitmap, TransparencyFlag(setTransIndex, width, height), logoBuffer);
    const std::string outputName = LogoNameFor(inputName, width, height);
    platform::RefuseOutputOverSource(inputName, outputName);  // p.kvx may be a link to p.bmp
    logoBuffer.SaveToFile(outputName, platform::HostFiles());
    PrintConverted(console, inputName, outputName);
  });
}

int RunLumEnc(const std::vector<std::string>& arguments, std::ostream& console) {
  const int setTransIndex = SetTransFromSwitches(arguments);
  ByteBuffer logoBuffer;
  return RunOverMask(arguments, console, kBanner, kUsage,
                     [&](const platform::DirectoryEntry& entry, const std::string& inputName) {
                       return !IsEligible(entry) || ConvertBmpFile(inputName, setTransIndex, logoBuffer, console);
                     });
}

}  // namespace lum
