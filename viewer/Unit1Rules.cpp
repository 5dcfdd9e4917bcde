#include "viewer/Unit1Rules.h"

#include "codec/FileNames.h"
#include "platform/files/Paths.h"

namespace lum {

bool IsWantedFileName(const std::string& path, int modeIndex) {
  const std::string extension = LowerCase(ExtractFileExt(path));
  if (modeIndex == kLogoToBmp) return extension == ".kvx" || extension == ".hzn";
  if (modeIndex == kBmpToLogo) return extension == ".bmp";
  return false;
}

TCommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
  TCommandLine commandLine;
  for (const std::string& argument : arguments) {
    const std::string lower = LowerCase(argument);
    if (lower == "/s" || lower == "-s") {
      commandLine.singleFileMode = true;
    } else {
      commandLine.file = argument;
    }
  }
  if (!commandLine.file.empty() && commandLine.file.front() != '/') {
    commandLine.file = platform::AbsolutePath(commandLine.file);
  }
  return commandLine;
}

std::string SaveNameFor(const std::string& source, const std::string& extension) {
  const std::string output = ChangeFileExt(source, extension);
  platform::RefuseOutputOverSource(source, output);
  return output;
}

}  // namespace lum
