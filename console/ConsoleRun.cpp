#include "console/ConsoleRun.h"

#include <new>

#include "base/Errors.h"
#include "codec/FileNames.h"

namespace lum {

bool IsSwitch(const std::string& argument, const std::string& name) {
  const std::string lowered = LowerCase(argument);
  return lowered.size() == name.size() + 1 && (lowered[0] == '/' || lowered[0] == '-') &&
         lowered.compare(1, std::string::npos, name) == 0;
}

bool WalkMask(const std::string& mask, const MaskVisitor& visit) {
  const std::string prefix = ExtractFilePath(mask);
  for (const platform::DirectoryEntry& entry : platform::FindMatchingEntries(mask)) {
    if (!visit(entry, prefix + entry.name)) return false;
  }
  return true;
}

void PrintConverted(std::ostream& console, const std::string& inputName, const std::string& outputName) {
  console << inputName << " => " << outputName << '\n';
}

bool ReportFailure(std::ostream& console, const std::string& inputName, const std::function<void()>& convert) {
  try {
    convert();
    return true;
  } catch (const LumError& failure) {
    console << failure.what() << "  file: " << inputName << '\n';
  } catch (const std::bad_alloc&) {
    console << EOutOfMemory().what() << "  file: " << inputName << '\n';
  }
  return false;
}

int RunOverMask(const std::vector<std::string>& arguments, std::ostream& console, const char* banner,
                const char* usage, const MaskVisitor& visit) {
  console << banner << "\n\n";
  if (arguments.empty()) {
    console << usage << "\n";
    return 0;
  }
  return WalkMask(arguments.front(), visit) ? 0 : 1;
}

}  // namespace lum
