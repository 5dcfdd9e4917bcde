// Fuzz target: arbitrary bytes as a logo file through the gdk-pixbuf
// loader's entry points, as gdk-pixbuf calls them: loaded whole from a file,
// and incrementally in two pieces split where the input says. Both give a
// picture exactly when the logo is one the loader must accept, of the
// header's size, each pixel the decoder's; a refusal sets an error. An
// accepted picture saved and loaded again gives the same pixels.
#include <cstdio>
#include <vector>

#include "base/Errors.h"
#include "codec/LogoFormat.h"
#include "fuzz/FuzzSupport.h"
#include "plugins/gdk-pixbuf/LogoLoader.h"
#include "tests/PluginTestSupport.h"

namespace {

using lum::fuzz::Fail;

const GdkPixbufModule& Module() {
  static const GdkPixbufModule module = [] {
    GdkPixbufModule filled{};
    lum::pixbuf::FillVtable(&filled);
    return filled;
  }();
  return module;
}

// Checks that a load failed or gave a picture as it should, and frees the
// error.
void CheckOutcome(const char* how, GdkPixbuf* pixbuf, GError* error, bool accepted) {
  if ((pixbuf != nullptr) != accepted) Fail(std::string(how) + (accepted ? ": refused an accepted logo" : ": accepted"));
  if ((error != nullptr) == accepted) Fail(std::string(how) + ": error set wrongly");
  if (error) g_error_free(error);
}

// The pixels as 0xAARRGGBB, rows from the top.
std::vector<uint32_t> PixelsOf(GdkPixbuf* pixbuf) {
  return lum::test::RgbaPixels(gdk_pixbuf_read_pixels(pixbuf), gdk_pixbuf_get_width(pixbuf),
                               gdk_pixbuf_get_height(pixbuf), static_cast<size_t>(gdk_pixbuf_get_rowstride(pixbuf)));
}

GdkPixbuf* LoadWhole(const uint8_t* data, size_t size, bool accepted) {
  static lum::fuzz::MemoryFile file;
  file.Fill(data, size);
  FILE* stream = std::fopen(file.Path().c_str(), "rb");
  if (!stream) Fail("fopen");
  GError* error = nullptr;
  GdkPixbuf* pixbuf = Module().load(stream, &error);
  std::fclose(stream);
  CheckOutcome("whole", pixbuf, error, accepted);
  return pixbuf;
}

struct Incremental {
  GdkPixbuf* pixbuf = nullptr;
  int toldWidth = 0;
  int toldHeight = 0;
};

GdkPixbuf* LoadInPieces(const uint8_t* data, size_t size, bool accepted) {
  Incremental state;
  const auto sizeFunc = [](gint* width, gint* height, gpointer user) {
    static_cast<Incremental*>(user)->toldWidth = *width;
    static_cast<Incremental*>(user)->toldHeight = *height;
  };
  const auto preparedFunc = [](GdkPixbuf* pixbuf, GdkPixbufAnimation*, gpointer user) {
    static_cast<Incremental*>(user)->pixbuf = GDK_PIXBUF(g_object_ref(pixbuf));
  };
  GError* error = nullptr;
  gpointer context = Module().begin_load(sizeFunc, preparedFunc, nullptr, &state, &error);
  if (!context) Fail("begin_load");
  const size_t split = size > 0 ? data[size - 1] % (size + 1) : 0;
  bool fed = true;
  if (split > 0) fed = Module().load_increment(context, data, static_cast<guint>(split), &error);
  if (fed && size > split) fed = Module().load_increment(context, data + split, static_cast<guint>(size - split), &error);
  if (!fed && !error) Fail("load_increment failed without an error");
  // gdk-pixbuf stops a load whatever happened; an error already set stays.
  GError* stopError = nullptr;
  const bool stopped = Module().stop_load(context, fed ? &stopError : nullptr);
  if (fed && !stopped && !stopError) Fail("stop_load failed without an error");
  if (!error) error = stopError;
  CheckOutcome("in pieces", state.pixbuf, error, accepted);
  if (state.pixbuf && (state.toldWidth != gdk_pixbuf_get_width(state.pixbuf) ||
                       state.toldHeight != gdk_pixbuf_get_height(state.pixbuf))) {
    Fail("size told differs from the picture's");
  }
  return state.pixbuf;
}

gboolean AppendTo(const gchar* bytes, gsize count, GError**, gpointer user) {
  auto* saved = static_cast<std::vector<uint8_t>*>(user);
  saved->insert(saved->end(), bytes, bytes + count);
  return TRUE;
}

// Whether the loader must give a picture: what the decoders accept, with
// pixels, at most kMaxLogoPixels of them, from a file of at most
// kMaxLogoFileSize bytes. Written out here, not asked of the codec, so that
// a wrong rule there shows.
bool Accepted(const uint8_t* data, size_t size) {
  if (!lum::fuzz::ExpectedRefusal(data, size, false).empty()) return false;
  const lum::LogoHeader header = lum::ReadLogoHeader(data);
  return header.width >= 1 && header.height >= 1 &&
         int64_t{header.width} * header.height <= lum::kMaxLogoPixels &&
         static_cast<int64_t>(size) <= lum::kMaxLogoFileSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool accepted = Accepted(data, size);
  GdkPixbuf* whole = LoadWhole(data, size, accepted);
  GdkPixbuf* pieces = LoadInPieces(data, size, accepted);
  if (!accepted) return 0;

  const lum::LogoHeader header = lum::ReadLogoHeader(data);
  if (gdk_pixbuf_get_width(whole) != header.width || gdk_pixbuf_get_height(whole) != header.height) Fail("size");
  // The colours of the decoder's 24-bit image, through its own row walk.
  const std::vector<uint32_t> expected = lum::test::DecoderPixels(std::vector<uint8_t>(data, data + size));
  const std::vector<uint32_t> pixels = PixelsOf(whole);
  if (pixels != expected) Fail("pixels differ from the decoder's");
  if (PixelsOf(pieces) != expected) Fail("pixels loaded in pieces differ");

  std::vector<uint8_t> saved;
  GError* error = nullptr;
  if (!Module().save_to_callback(AppendTo, &saved, whole, nullptr, nullptr, &error)) Fail("save");
  if (static_cast<int64_t>(saved.size()) != lum::LogoFileSize(header.width, header.height)) Fail("saved size");
  GdkPixbuf* again = LoadWhole(saved.data(), saved.size(), true);
  if (PixelsOf(again) != pixels) Fail("saved and loaded again, the pixels differ");

  g_object_unref(again);
  g_object_unref(pieces);
  g_object_unref(whole);
  return 0;
}
