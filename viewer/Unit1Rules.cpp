#include "viewer/Unit1Rules.h"

#include "codec/FileNames.h"

namespace lum {

bool IsWantedFileName(const std::string& path, int modeIndex) {
  const std::string extension = LowerCase(ExtractFileExt(path));
  if (modeIndex == kLogoToBmp) return extension == ".kvx" || extension == ".hzn";
  if (modeIndex == kBmpToLogo) return extension == ".bmp";
  return false;
}

TCommandLine ReadCommandLine(const std::vector<std::string>& arguments, const std::string& currentDirectory) {
  TCommandLine commandLine;
  for (const std::string& argument : arguments) {
    const std::string lower = LowerCase(argument);
    if (lower == "/s" || lower == "-s") {
      commandLine.singleFileMode = true;
    } else {
      commandLine.file = argument;
    }
  }
  if (!commandLine.file.empty()) commandLine.file = AbsoluteFileName(commandLine.file, currentDirectory);
  return commandLine;
}

std::string AbsoluteFileName(const std::string& name, const std::string& directory) {
  const std::string joined = !name.empty() && name.front() == '/' ? name : directory + "/" + name;
  // Each name between slashes in turn; "." goes, ".." takes the one before
  // it back (never above the root), and repeated slashes count as one.
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= joined.size()) {
    size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    const std::string part = joined.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string result;
  for (const std::string& part : parts) result += "/" + part;
  return result.empty() ? "/" : result;
}

}  // namespace lum
