#include "platform/shell/StrRet.h"

#include "platform/shell/WideText.h"

namespace lum::shell {

std::string StrRetToStr(const STRRET& name, PCUIDLIST idList) {
  switch (name.uType) {
    case STRRET_WSTR: return BytesFromWide(name.pOleStr);
    case STRRET_OFFSET: {
      if (IsEmptyIdList(idList)) return {};
      const size_t length = ReadIdLength(IdBytes(idList));
      if (name.uOffset >= length) return {};
      return std::string(reinterpret_cast<const char*>(IdBytes(idList)) + name.uOffset, length - name.uOffset);
    }
    case STRRET_CSTR: return name.cStr.substr(0, name.cStr.find('\0'));
    default: return {};
  }
}

}  // namespace lum::shell
