#include "lumenc/LumEnc.h"

#include "batch/MaskWalk.h"
#include "codec/Encoder.h"
#include "codec/Errors.h"
#include "codec/FileNames.h"
#include "platform/bitmap/Bitmap.h"

namespace lum {

namespace {

void PrintBanner(std::ostream& console) {
  console << "lumenc - converts BMP files to KVX and HZN logo files\n\n";
}

void PrintUsage(std::ostream& console) {
  console << "usage: lumenc filename [/on | /off]\n"
             "  filename  a BMP file or a wildcard mask, quoted: 'pictures/*.bmp'\n"
             "  /on /off  near-black pixels transparent in every image / in none "
             "(default: only in 50 x 30 images)\n"
             "\n";
}

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
  try {
    const platform::Bitmap bitmap = platform::Bitmap::LoadFromFile(inputName);
    const int32_t width = bitmap.Width();
    const int32_t height = bitmap.Height();
    EncodeLogo(bitmap, TransparencyFlag(setTransIndex, width, height), logoBuffer);
    const std::string outputName = LogoNameFor(inputName, width, height);
    logoBuffer.SaveToFile(outputName);
    console << inputName << " => " << outputName << '\n';
    return true;
  } catch (const LumError& failure) {
    console << failure.what() << "  file: " << inputName << '\n';
    return false;
  }
}

int RunLumEnc(const std::vector<std::string>& arguments, std::ostream& console) {
  const int setTransIndex = SetTransFromSwitches(arguments);
  PrintBanner(console);
  if (arguments.empty()) {
    PrintUsage(console);
    return 0;
  }
  ByteBuffer logoBuffer;
  const bool completed = WalkMask(arguments.front(), [&](const platform::DirectoryEntry& entry,
                                                         const std::string& inputName) {
    if (!IsEligible(entry)) return true;
    return ConvertBmpFile(inputName, setTransIndex, logoBuffer, console);
  });
  return completed ? 0 : 1;
}

}  // namespace lum
