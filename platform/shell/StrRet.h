// The text of a name that the shell hands out in one of the STRRET forms.
#pragma once

#include <string>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/ShellTypes.h"

namespace lum::shell {

/// The bytes of `name`: WSTR's wide text (see WideText.h), OFFSET's bytes
/// from the offset to the end of the first ID of `idList` (the list the name
/// was asked for; empty when the offset lies outside it), CSTR's bytes up to
/// the first zero.
std::string StrRetToStr(const STRRET& name, PCUIDLIST idList);

}  // namespace lum::shell
