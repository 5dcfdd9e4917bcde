#include "batch/LumBatch.h"

#include "batch/MaskWalk.h"
#include "codec/Decoder.h"
#include "codec/Errors.h"
#include "codec/FileNames.h"
#include "platform/files/OutputFile.h"

namespace lum {

namespace {

void PrintBanner(std::ostream& console) {
  console << "lumbatch - converts KVX and HZN logo files to 24-bit BMP files\n\n";
}

void PrintUsage(std::ostream& console) {
  console << "usage: lumbatch filename [/i]\n"
             "  filename  a logo file or a wildcard mask, quoted: 'logos/*.kvx'\n"
             "  /i        convert files of any size, not only 3008-byte KVX logos\n"
             "\n";
}

bool IsEligible(const platform::DirectoryEntry& entry, bool ignoreSize) {
  if (LowerCase(ExtractFileExt(entry.name)) == ".bmp") return false;
  if (entry.name == "." || entry.name == "..") return false;
  return ignoreSize || entry.size == static_cast<uint64_t>(kKvxFileSize);
}

}  // namespace

bool ConvertLogoFile(const std::string& inputName, ByteBuffer& inputBuffer, std::ostream& console) {
  try {
    std::unique_ptr<platform::OutputFile> output = DecodeLogoToFile(inputName, inputBuffer);
    console << inputName << " => " << BmpNameFor(inputName) << '\n';
    output->Close();
    return true;
  } catch (const LumError& failure) {
    console << failure.what() << "  file: " << inputName << '\n';
    return false;
  }
}

int RunLumBatch(const std::vector<std::string>& arguments, std::ostream& console) {
  bool ignoreSize = false;
  for (const std::string& argument : arguments) {
    if (IsSwitch(argument, "i")) ignoreSize = true;
  }
  ByteBuffer inputBuffer;
  PrintBanner(console);
  if (arguments.empty()) {
    PrintUsage(console);
    return 0;
  }
  const bool completed = WalkMask(arguments.front(), [&](const platform::DirectoryEntry& entry,
                                                         const std::string& inputName) {
    if (!IsEligible(entry, ignoreSize)) return true;
    return ConvertLogoFile(inputName, inputBuffer, console);
  });
  return completed ? 0 : 1;
}

}  // namespace lum
