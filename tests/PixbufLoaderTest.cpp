// The gdk-pixbuf loader, loaded as GTK programs load it: by
// gdk_pixbuf_new_from_file and GdkPixbufLoader, through the module file that
// gdk-pixbuf-query-loaders made for the build and a MIME database that knows
// the logo types.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <unistd.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/PluginTestSupport.h"
#include "tests/TestSupport.h"

namespace lum {
namespace {

using test::Bytes;
using test::ReadFile;
using test::Sample;
using test::TempDir;
using test::WriteFile;

struct PixbufDeleter {
  void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, PixbufDeleter>;

// The pixels as 0xAARRGGBB, rows from the top.
std::vector<uint32_t> PixelsOf(GdkPixbuf* pixbuf) {
  EXPECT_TRUE(gdk_pixbuf_get_has_alpha(pixbuf));
  EXPECT_EQ(gdk_pixbuf_get_n_channels(pixbuf), 4);
  return test::RgbaPixels(gdk_pixbuf_read_pixels(pixbuf), gdk_pixbuf_get_width(pixbuf),
                          gdk_pixbuf_get_height(pixbuf), static_cast<size_t>(gdk_pixbuf_get_rowstride(pixbuf)));
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Reads a file with gdk_pixbuf_new_from_file; a failure's text (gdk-pixbuf
// puts the file's name before the loader's reason) goes to `failure`.
Pixbuf Load(const std::string& path, std::string* failure = nullptr) {
  GError* error = nullptr;
  Pixbuf pixbuf(gdk_pixbuf_new_from_file(path.c_str(), &error));
  if (error) {
    EXPECT_FALSE(pixbuf);
    if (failure) *failure = error->message;
    g_error_free(error);
  }
  return pixbuf;
}

// Feeds the bytes to a GdkPixbufLoader for the KVX type in three pieces, as
// an image viewer reads a file: the first byte, the rest of the header, the
// rest. The picture, or nullptr when writing or closing failed.
Pixbuf LoadIncrementally(const Bytes& bytes) {
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_mime_type("image/x-kvx-logo", nullptr);
  EXPECT_NE(loader, nullptr);
  if (!loader) return nullptr;
  bool written = true;
  size_t at = 0;
  for (const size_t piece : {size_t{1}, size_t{7}, bytes.size()}) {
    const size_t count = std::min(piece, bytes.size() - at);
    if (count > 0 && written) written = gdk_pixbuf_loader_write(loader, bytes.data() + at, count, nullptr);
    at += count;
  }
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
  Pixbuf pixbuf;
  if (written && closed && gdk_pixbuf_loader_get_pixbuf(loader)) {
    pixbuf.reset(GDK_PIXBUF(g_object_ref(gdk_pixbuf_loader_get_pixbuf(loader))));
  }
  g_object_unref(loader);
  return pixbuf;
}

Bytes Saved(GdkPixbuf* pixbuf, const std::string& path) {
  GError* error = nullptr;
  EXPECT_TRUE(gdk_pixbuf_save(pixbuf, path.c_str(), "kvx", &error, nullptr));
  if (error) {
    ADD_FAILURE() << error->message;
    g_error_free(error);
  }
  return ReadFile(path);
}

class PixbufLoaderTest : public ::testing::Test {
 protected:
  TempDir dir_;
};

TEST_F(PixbufLoaderTest, ReadsLogosWithTransparencyAsTheDecoderShowsThem) {
  for (const std::string name : {"testcard.kvx", "sun.hzn"}) {
    SCOPED_TRACE(name);
    const Bytes logo = ReadFile(Sample(name));
    const std::vector<uint32_t> expected = test::DecoderPixels(logo);
    gint width = 0;
    gint height = 0;
    GdkPixbufFormat* format = gdk_pixbuf_get_file_info(Sample(name).c_str(), &width, &height);
    ASSERT_NE(format, nullptr);
    gchar* formatName = gdk_pixbuf_format_get_name(format);
    EXPECT_STREQ(formatName, "kvx");
    g_free(formatName);
    EXPECT_EQ(width, name == "sun.hzn" ? 54 : 50);
    EXPECT_EQ(height, name == "sun.hzn" ? 34 : 30);

    const Pixbuf whole = Load(Sample(name));
    ASSERT_TRUE(whole);
    EXPECT_EQ(gdk_pixbuf_get_width(whole.get()), width);
    EXPECT_EQ(gdk_pixbuf_get_height(whole.get()), height);
    EXPECT_EQ(PixelsOf(whole.get()), expected);

    const Pixbuf incremental = LoadIncrementally(logo);
    ASSERT_TRUE(incremental);
    EXPECT_EQ(PixelsOf(incremental.get()), expected);
  }
}

TEST_F(PixbufLoaderTest, OnlyTheWordZeroIsTransparent) {
  const Bytes logo = test::LogoBytes(5, 1, test::kTransparencyWords);
  WriteFile(dir_ / "words.kvx", logo);
  const Pixbuf whole = Load(dir_ / "words.kvx");
  ASSERT_TRUE(whole);
  EXPECT_EQ(PixelsOf(whole.get()), test::kTransparencyPixels);
  const Pixbuf incremental = LoadIncrementally(logo);
  ASSERT_TRUE(incremental);
  EXPECT_EQ(PixelsOf(incremental.get()), test::kTransparencyPixels);
}

TEST_F(PixbufLoaderTest, SavingALogoReadFromLumencGivesLumencsBytes) {
  // With lumenc's near-black rule (transparent words) and without it.
  for (const char* setting : {"/on", "/off"}) {
    SCOPED_TRACE(setting);
    WriteFile(dir_ / "ring.bmp", ReadFile(Sample("ring-24bit.bmp")));
    const auto result = test::RunProgram(LUMENC_PATH, {"ring.bmp", setting}, dir_.Path());
    ASSERT_EQ(result.exitStatus, 0) << result.output;
    const Pixbuf pixbuf = Load(dir_ / "ring.kvx");
    ASSERT_TRUE(pixbuf);
    EXPECT_EQ(Saved(pixbuf.get(), dir_ / "saved.kvx"), ReadFile(dir_ / "ring.kvx"));
  }
}

TEST_F(PixbufLoaderTest, SavingTakesAlphaBelowHalfAsTransparentAndKeepsBlackOpaque) {
  const guint8 rgba[] = {255, 0, 0, 127, 255, 0, 0, 128, 0, 0, 0, 255, 7, 7, 255, 255};
  Pixbuf pixbuf(gdk_pixbuf_new_from_data(rgba, GDK_COLORSPACE_RGB, TRUE, 8, 4, 1, 16, nullptr, nullptr));
  EXPECT_EQ(Saved(pixbuf.get(), dir_ / "a.kvx"), test::LogoBytes(4, 1, {0x0000, 0xFC00, 0x8000, 0x801F}));
  const guint8 rgb[] = {255, 0, 0, 0, 0, 0, 0, 0};
  Pixbuf opaque(gdk_pixbuf_new_from_data(rgb, GDK_COLORSPACE_RGB, FALSE, 8, 2, 1, 8, nullptr, nullptr));
  EXPECT_EQ(Saved(opaque.get(), dir_ / "b.kvx"), test::LogoBytes(2, 1, {0xFC00, 0x8000}));
}

TEST_F(PixbufLoaderTest, FilesThatAreNoLogosFailCleanly) {
  Bytes truncated = ReadFile(Sample("testcard.kvx"));
  truncated.resize(1000);
  Bytes wrongSize = ReadFile(Sample("testcard.kvx"));
  wrongSize[7] = 34;  // 50 x 34 announced in 50 x 30's bytes
  const std::vector<std::tuple<std::string, Bytes, std::string>> files = {
      {"truncated.kvx", truncated, "Logo file too short for 50 x 30 pixels: 1000 bytes"},
      {"wrong-size.kvx", wrongSize, "Logo file too short for 50 x 34 pixels: 3008 bytes"},
      {"empty-header.kvx", test::LogoBytes(0, 0, {}), "Logo has no pixels: 0 x 0"},
      {"negative.kvx", test::LogoBytes(-1, 1, {0x8000}), "Logo has no pixels: -1 x 1"},
      {"giant.kvx", test::LogoBytes(65536, 65536, {0x8000}), "Logo too large: 65536 x 65536 pixels, more than 16777216"},
      {"short.kvx", {0, 0, 0}, "Logo file too short for its header: 3 bytes"},
  };
  for (const auto& [name, bytes, reason] : files) {
    SCOPED_TRACE(name);
    WriteFile(dir_ / name, bytes);
    std::string failure;
    EXPECT_FALSE(Load(dir_ / name, &failure));
    EXPECT_TRUE(EndsWith(failure, ": " + reason)) << failure;
    EXPECT_FALSE(LoadIncrementally(bytes));
  }
  // Larger than any logo that is read: refused, not read whole (sparse).
  WriteFile(dir_ / "huge.kvx", test::LogoBytes(1, 1, {}));
  ASSERT_EQ(::truncate((dir_ / "huge.kvx").c_str(), (int64_t{32} << 20) + 9), 0);
  std::string failure;
  EXPECT_FALSE(Load(dir_ / "huge.kvx", &failure));
  EXPECT_TRUE(EndsWith(failure, ": Logo file too large: over 33554440 bytes")) << failure;
}

}  // namespace
}  // namespace lum

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Before gdk-pixbuf reads them: the build's loader alone, and the logo
  // types in a MIME database of their own.
  setenv("GDK_PIXBUF_MODULE_FILE", LUM_PIXBUF_MODULE_FILE, 1);
  setenv("XDG_DATA_DIRS", LUM_MIME_DATA_DIR, 1);
  setenv("XDG_DATA_HOME", LUM_MIME_DATA_DIR, 1);
  return RUN_ALL_TESTS();
}
