#include "batch/MaskWalk.h"

#include "codec/FileNames.h"

namespace lum {

bool WalkMask(const std::string& mask,
              const std::function<bool(const platform::DirectoryEntry&, const std::string& inputName)>& visit) {
  const std::string prefix = ExtractFilePath(mask);
  for (const platform::DirectoryEntry& entry : platform::FindMatchingEntries(mask)) {
    if (!visit(entry, prefix + entry.name)) return false;
  }
  return true;
}

bool IsSwitch(const std::string& argument, const std::string& name) {
  const std::string lowered = LowerCase(argument);
  return lowered.size() == name.size() + 1 && (lowered[0] == '/' || lowered[0] == '-') &&
         lowered.compare(1, std::string::npos, name) == 0;
}

}  // namespace lum
