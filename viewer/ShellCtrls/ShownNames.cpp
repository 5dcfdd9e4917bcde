#include "viewer/ShellCtrls/ShownNames.h"

#include <QVector>

#include "platform/shell/WideText.h"

namespace lum {

namespace {

constexpr char32_t kFirstByteChar = 0xF780;  ///< stands for the byte 0x80
constexpr char32_t kLastByteChar = 0xF7FF;   ///< stands for the byte 0xFF
constexpr char32_t kWideByteBase = 0xDC00;   ///< WideText's form of a byte that is not UTF-8

bool StandsForAByte(char32_t c) { return c >= kFirstByteChar && c <= kLastByteChar; }

void AppendByte(QString& shown, unsigned char byte) {
  shown += QChar(static_cast<char16_t>(kFirstByteChar + (byte - 0x80)));
}

// WideText's form of a byte that is not UTF-8.
bool IsEscapedByte(char32_t c) { return c >= kWideByteBase + 0x80 && c <= kWideByteBase + 0xFF; }

// Whether `name` is valid UTF-8 and holds none of the characters that stand
// for bytes: then it is shown as it is. Most names are, and Qt's own
// decoding of them is much faster than the character-by-character way
// below.
bool IsPlainUtf8(const std::string& name) {
  for (size_t at = 0; at < name.size();) {
    if (static_cast<unsigned char>(name[at]) < 0x80) {
      ++at;
      continue;
    }
    const char32_t c = shell::DecodeUtf8(name, at);
    if (IsEscapedByte(c) || StandsForAByte(c)) return false;
  }
  return true;
}

}  // namespace

QString ShownName(const std::string& name) {
  if (IsPlainUtf8(name)) return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  QString shown;
  shown.reserve(static_cast<qsizetype>(name.size()));
  for (size_t at = 0; at < name.size();) {
    const size_t start = at;
    const char32_t c = shell::DecodeUtf8(name, at);
    if (IsEscapedByte(c)) {
      AppendByte(shown, static_cast<unsigned char>(c - kWideByteBase));
    } else if (StandsForAByte(c)) {
      for (size_t i = start; i < at; ++i) AppendByte(shown, static_cast<unsigned char>(name[i]));
    } else {
      const char32_t one[1] = {c};
      shown += QString::fromUcs4(one, 1);
    }
  }
  return shown;
}

std::string NameBytes(const QString& edited) {
  // WideText writes its own form of a byte back as that byte. A character
  // of U+F780 to U+F7FF that the user typed is taken as the byte it stands
  // for, not as that character's own UTF-8 bytes: the editor cannot tell
  // it from one that was there.
  std::wstring wide;
  for (const char32_t c : edited.toUcs4())
    wide += static_cast<wchar_t>(StandsForAByte(c) ? kWideByteBase + 0x80 + (c - kFirstByteChar) : c);
  return shell::BytesFromWide(wide);
}

bool IsNewName(const QString& edited, const std::string& name) { return NameBytes(edited) != name; }

}  // namespace lum
