// The walk over the files that a command-line mask names, shared by the
// console converters.
#pragma once

#include <functional>
#include <string>

#include "platform/files/FileEnumeration.h"

namespace lum {

/// Calls `visit` for each entry that matches `mask`, in name order, with the
/// name to hand on: the mask's folder part followed by the entry's name.
/// Stops when `visit` returns false. All entries are read before the first
/// visit. Returns false when a visit stopped the walk.
bool WalkMask(const std::string& mask,
              const std::function<bool(const platform::DirectoryEntry&, const std::string& inputName)>& visit);

/// True when `argument`, lower-cased, is "/<name>" or "-<name>".
bool IsSwitch(const std::string& argument, const std::string& name);

}  // namespace lum
