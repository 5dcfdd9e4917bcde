#include "console/ConsoleRun.h"

#include <cerrno>
#include <new>

#include "base/Errors.h"
#include "base/Messages.h"
#include "codec/FileNames.h"
#include "platform/files/InputFile.h"
#include "platform/files/Paths.h"

namespace lum {

bool IsSwitch(const std::string& argument, const std::string& name) {
  const std::string lowered = LowerCase(argument);
  return lowered.size() == name.size() + 1 && (lowered[0] == '/' || lowered[0] == '-') &&
         lowered.compare(1, std::string::npos, name) == 0;
}

bool IsPlainName(const std::string& mask) {
  const size_t nameStart = mask.rfind('/') + 1;  // 0 when there is no folder part
  return mask.find_first_of("*?", nameStart) == std::string::npos;
}

bool WalkMask(const std::string& mask, const MaskVisitor& visit, int* unreadable) {
  const std::string prefix = ExtractFilePath(mask);
  for (const platform::DirectoryEntry& entry : platform::FindMatchingEntries(mask, unreadable)) {
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

namespace {

// The failure of a plain name that the walk did not find. One that opens
// lies in a folder that can't be listed (searchable only): it was not
// converted, and silence would pass for success.
[[noreturn]] void ThrowNotFound(const std::string& name, int unreadable) {
  platform::InputFile probe(name);
  const std::string reason = unreadable != 0
                                 ? msg::Format(msg::kFolderNotListed, {platform::SystemErrorText(unreadable)})
                                 : platform::SystemErrorText(ENOENT);  // made since the folder was listed
  throw EFOpenError(msg::Format(msg::kFileOpen, {platform::AbsolutePath(name), reason}));
}

}  // namespace

int RunOverMask(const std::vector<std::string>& arguments, std::ostream& console, const char* banner,
                const char* usage, const MaskVisitor& visit) {
  console << banner << "\n\n";
  if (arguments.empty()) {
    console << usage << "\n";
    return 0;
  }
  const std::string& mask = arguments.front();
  bool matched = false;
  int unreadable = 0;
  const bool completed = WalkMask(
      mask,
      [&](const platform::DirectoryEntry& entry, const std::string& inputName) {
        matched = true;
        return visit(entry, inputName);
      },
      &unreadable);
  if (!completed) return 1;
  if (matched || !IsPlainName(mask)) return 0;
  // A name typed without wildcards that matched nothing is a mistake worth
  // saying: opening it gives the failure line with the system's reason.
  ReportFailure(console, mask, [&] { ThrowNotFound(mask, unreadable); });
  return 1;
}

}  // namespace lum
