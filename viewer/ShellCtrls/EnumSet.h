// A small set of the values of an enumeration (0 to 31), as the browser's
// option and flag sets are written: TShellObjectTypes{otNonFolders}.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace lum {

template <typename Enum>
class EnumSet {
 public:
  EnumSet() = default;
  EnumSet(std::initializer_list<Enum> values) {
    for (const Enum value : values) Include(value);
  }

  bool Contains(Enum value) const { return bits_ & Bit(value); }
  void Include(Enum value) { bits_ |= Bit(value); }
  void Exclude(Enum value) { bits_ &= ~Bit(value); }
  bool Empty() const { return bits_ == 0; }
  uint32_t Bits() const { return bits_; }

  friend bool operator==(EnumSet a, EnumSet b) { return a.bits_ == b.bits_; }
  friend bool operator!=(EnumSet a, EnumSet b) { return a.bits_ != b.bits_; }

 private:
  static uint32_t Bit(Enum value) { return uint32_t{1} << static_cast<unsigned>(value); }
  uint32_t bits_ = 0;
};

}  // namespace lum
