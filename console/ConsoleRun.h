// What the console converters share: their switches, the walk over the
// files that a command-line mask names, and the lines they print.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/files/FileEnumeration.h"

namespace lum {

/// True when `argument`, lower-cased, is "/<name>" or "-<name>".
bool IsSwitch(const std::string& argument, const std::string& name);

/// True when the name part of `mask` (after its last "/") holds no "*" or
/// "?": it names one file rather than matching several.
bool IsPlainName(const std::string& mask);

/// Calls `visit` for each entry that matches `mask`, in name order, with the
/// name to hand on: the mask's folder part followed by the entry's name.
/// Stops when `visit` returns false. All entries are read before the first
/// visit. Returns false when a visit stopped the walk. A folder that can't
/// be listed gives no entries, and its errno in `unreadable` (where given).
using MaskVisitor = std::function<bool(const platform::DirectoryEntry&, const std::string& inputName)>;
bool WalkMask(const std::string& mask, const MaskVisitor& visit, int* unreadable = nullptr);

/// Prints the success line "input => output".
void PrintConverted(std::ostream& console, const std::string& inputName, const std::string& outputName);

/// Runs one conversion. When it fails, prints "message  file: input" and
/// returns false; a failed allocation reads as the byte buffer's own
/// "Expandieren des Speicher-Stream ..." rather than ending the program.
bool ReportFailure(std::ostream& console, const std::string& inputName, const std::function<void()>& convert);

/// A whole run: the banner and an empty line; with no arguments the usage
/// lines and an empty line; else the walk over the first argument. A plain
/// name (IsPlainName) that matches nothing prints the failure line of a file
/// that cannot be opened: with the system's reason, or, for a file that opens
/// in a folder that can't be listed (searchable only), that reason; a mask
/// that matches nothing prints nothing more. Returns the exit status: 1 when
/// a visit stopped the walk or a plain name was not found, 0 otherwise.
int RunOverMask(const std::vector<std::string>& arguments, std::ostream& console, const char* banner,
                const char* usage, const MaskVisitor& visit);

}  // namespace lum
