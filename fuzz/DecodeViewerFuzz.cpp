// Fuzz target: arbitrary bytes as a logo file through the in-memory decoder
// that the viewer uses, with every transparency index. An accepted logo
// gives exactly the image size its header announces; a refused one gives
// the documented reason and leaves the previous image alone.
#include "base/Errors.h"
#include "codec/Decoder.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string refusal = lum::fuzz::ExpectedRefusal(data, size, false);

  lum::ByteBuffer output;
  const uint8_t previous[3] = {1, 2, 3};
  for (int index = -1; index <= lum::kTransparencyColourCount; ++index) {
    output.Clear();
    output.Write(previous, 3);
    try {
      const lum::LogoHeader header = lum::DecodeLogoBytes(data, size, index, output);
      if (!refusal.empty()) lum::fuzz::Fail("accepted, expected: " + refusal);
      if (output.Size() != lum::DecodedBmpSize(header.width, header.height)) lum::fuzz::Fail("image size");
      if (output.Position() != 0) lum::fuzz::Fail("image not positioned at its start");
      if (static_cast<uint64_t>(output.Size()) > 2 * size + lum::kBmpHeaderSize) lum::fuzz::Fail("output > 2x input");
    } catch (const lum::LumError& failure) {
      if (failure.what() != refusal) lum::fuzz::Fail(std::string("refused with: ") + failure.what());
      if (output.Size() != 3) lum::fuzz::Fail("previous image lost");
    }
  }
  return 0;
}
