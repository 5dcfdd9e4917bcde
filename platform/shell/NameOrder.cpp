#include "platform/shell/NameOrder.h"

#include <QChar>
#include <cstring>

#include "platform/shell/WideText.h"

namespace lum::shell {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The next character of `name` at `at`, case-folded. ASCII takes the short
// way; other text is decoded (bytes that are not UTF-8 stay distinct).
char32_t NextFolded(std::string_view name, size_t& at) {
  const auto byte = static_cast<unsigned char>(name[at]);
  if (byte < 0x80) {
    ++at;
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
  }
  return QChar::toCaseFolded(DecodeUtf8(name, at));
}

// Compares the digit runs that start at `ia` and `ib` by value and moves
// past them. Leading zeros do not count here; the byte comparison at the end
// tells "01" from "1".
int CompareNumbers(std::string_view a, size_t& ia, std::string_view b, size_t& ib) {
  while (ia < a.size() && a[ia] == '0' && ia + 1 < a.size() && IsDigit(a[ia + 1])) ++ia;
  while (ib < b.size() && b[ib] == '0' && ib + 1 < b.size() && IsDigit(b[ib + 1])) ++ib;
  size_t ea = ia, eb = ib;
  while (ea < a.size() && IsDigit(a[ea])) ++ea;
  while (eb < b.size() && IsDigit(b[eb])) ++eb;
  int result = 0;
  if (ea - ia != eb - ib) {
    result = ea - ia < eb - ib ? -1 : 1;
  } else {
    const int digits = std::memcmp(a.data() + ia, b.data() + ib, ea - ia);
    result = digits < 0 ? -1 : digits > 0 ? 1 : 0;
  }
  ia = ea;
  ib = eb;
  return result;
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
  size_t ia = 0, ib = 0;
  while (ia < a.size() && ib < b.size()) {
    if (IsDigit(a[ia]) && IsDigit(b[ib])) {
      if (const int numbers = CompareNumbers(a, ia, b, ib)) return numbers;
      continue;
    }
    const char32_t ca = NextFolded(a, ia);
    const char32_t cb = NextFolded(b, ib);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (ia < a.size()) return 1;
  if (ib < b.size()) return -1;
  const int bytes = a.compare(b);
  return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

}  // namespace lum::shell
