#include "plugins/gdk-pixbuf/LogoLoader.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/Messages.h"
#include "codec/ByteBuffer.h"
#include "codec/LogoArgb.h"
#include "codec/LogoFormat.h"

namespace lum::pixbuf {

namespace {

constexpr size_t kReadChunk = 64 * 1024;

void SetError(GError** error, GdkPixbufError code, const std::string& message) {
  g_set_error_literal(error, GDK_PIXBUF_ERROR, code, message.c_str());
}

void SetTooLarge(GError** error) {
  SetError(error, GDK_PIXBUF_ERROR_CORRUPT_IMAGE,
           msg::Format(msg::kLogoFileTooLarge, {std::to_string(kMaxLogoFileSize)}));
}

// Turns whatever the codec or the allocator raised into the GError; called
// from a catch block.
void SetErrorOfFailure(GError** error) {
  try {
    throw;
  } catch (const EOutOfMemory&) {
    SetError(error, GDK_PIXBUF_ERROR_INSUFFICIENT_MEMORY, msg::kPictureOutOfMemory);
  } catch (const std::bad_alloc&) {
    SetError(error, GDK_PIXBUF_ERROR_INSUFFICIENT_MEMORY, msg::kPictureOutOfMemory);
  } catch (const LumError& failure) {
    SetError(error, GDK_PIXBUF_ERROR_CORRUPT_IMAGE, failure.what());
  } catch (...) {
    SetError(error, GDK_PIXBUF_ERROR_FAILED, msg::kLoaderFailed);
  }
}

// The picture of the logo file held in `data`, or nullptr with the error
// set. Pixels are R, G, B, A bytes.
GdkPixbuf* PictureOf(const uint8_t* data, size_t size, GError** error) {
  try {
    const LogoHeader header = CheckLogoPicture(data, size);
    std::vector<uint32_t> row(static_cast<size_t>(header.width));
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, header.width, header.height);
    if (!pixbuf) {
      SetError(error, GDK_PIXBUF_ERROR_INSUFFICIENT_MEMORY, msg::kPictureOutOfMemory);
      return nullptr;
    }
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const auto stride = static_cast<size_t>(gdk_pixbuf_get_rowstride(pixbuf));
    for (int32_t y = 0; y < header.height; ++y) {
      DecodeLogoRowArgb(data, size, header, y, row.data());
      ArgbToRgba(row.data(), row.size(), pixels + stride * static_cast<size_t>(y));
    }
    return pixbuf;
  } catch (...) {
    SetErrorOfFailure(error);
    return nullptr;
  }
}

// Whether a regular file has more bytes left than any logo file read, so
// that it is refused before a sparse giant is read.
bool TooLargeToRead(FILE* file) {
  struct stat status {};
  const long at = std::ftell(file);
  return ::fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) && at >= 0 &&
         status.st_size - at > kMaxLogoFileSize;
}

GdkPixbuf* Load(FILE* file, GError** error) noexcept {
  try {
    if (TooLargeToRead(file)) {
      SetTooLarge(error);
      return nullptr;
    }
    std::vector<uint8_t> bytes;
    size_t used = 0;
    for (;;) {
      bytes.resize(used + kReadChunk);
      const size_t got = std::fread(bytes.data() + used, 1, kReadChunk, file);
      used += got;
      if (got < kReadChunk || used > static_cast<size_t>(kMaxLogoFileSize)) break;
    }
    if (std::ferror(file)) {
      SetError(error, GDK_PIXBUF_ERROR_FAILED, msg::kLogoFileUnreadable);
      return nullptr;
    }
    if (used > static_cast<size_t>(kMaxLogoFileSize)) {
      SetTooLarge(error);
      return nullptr;
    }
    return PictureOf(bytes.data(), used, error);
  } catch (...) {
    SetErrorOfFailure(error);
    return nullptr;
  }
}

// Incremental loading collects the file, tells its size as soon as the
// header is in, and makes the picture when the file is complete.
struct Context {
  GdkPixbufModuleSizeFunc sizeFunc = nullptr;
  GdkPixbufModulePreparedFunc preparedFunc = nullptr;
  GdkPixbufModuleUpdatedFunc updatedFunc = nullptr;
  gpointer userData = nullptr;
  std::vector<uint8_t> bytes;
  bool sizeTold = false;
  bool sizeOnly = false;  // the caller asked for a size of 0: it wants the size alone
};

gpointer BeginLoad(GdkPixbufModuleSizeFunc sizeFunc, GdkPixbufModulePreparedFunc preparedFunc,
                   GdkPixbufModuleUpdatedFunc updatedFunc, gpointer userData, GError** error) noexcept {
  try {
    auto context = std::make_unique<Context>();
    context->sizeFunc = sizeFunc;
    context->preparedFunc = preparedFunc;
    context->updatedFunc = updatedFunc;
    context->userData = userData;
    return context.release();  // StopLoad takes it back
  } catch (...) {
    SetErrorOfFailure(error);
    return nullptr;
  }
}

// Tells the caller the size once the header is in; refuses a header without
// pixels or with too many at once, before the rest is collected.
void TellSize(Context& context) {
  if (context.sizeTold || context.bytes.size() < static_cast<size_t>(kLogoHeaderSize)) return;
  context.sizeTold = true;
  const LogoHeader header = ReadLogoHeader(context.bytes.data());
  CheckLogoPictureSize(header);
  int width = header.width;
  int height = header.height;
  if (context.sizeFunc) context.sizeFunc(&width, &height, context.userData);
  context.sizeOnly = width == 0 || height == 0;
}

gboolean LoadIncrement(gpointer data, const guchar* bytes, guint count, GError** error) noexcept {
  auto& context = *static_cast<Context*>(data);
  try {
    if (context.bytes.size() + count > static_cast<size_t>(kMaxLogoFileSize)) {
      SetTooLarge(error);
      return FALSE;
    }
    context.bytes.insert(context.bytes.end(), bytes, bytes + count);
    TellSize(context);
    return TRUE;
  } catch (...) {
    SetErrorOfFailure(error);
    return FALSE;
  }
}

gboolean StopLoad(gpointer data, GError** error) noexcept {
  const std::unique_ptr<Context> context(static_cast<Context*>(data));
  if (context->sizeOnly) return TRUE;
  GdkPixbuf* pixbuf = PictureOf(context->bytes.data(), context->bytes.size(), error);
  if (!pixbuf) return FALSE;
  if (context->preparedFunc) context->preparedFunc(pixbuf, nullptr, context->userData);
  if (context->updatedFunc) {
    context->updatedFunc(pixbuf, 0, 0, gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf),
                         context->userData);
  }
  g_object_unref(pixbuf);
  return TRUE;
}

// Saving takes any 8-bit RGB picture, with or without alpha.
gboolean SaveToCallback(GdkPixbufSaveFunc saveFunc, gpointer userData, GdkPixbuf* pixbuf, gchar**, gchar**,
                        GError** error) noexcept {
  try {
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool hasAlpha = gdk_pixbuf_get_has_alpha(pixbuf);
    if (gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 ||
        channels != (hasAlpha ? 4 : 3)) {
      SetError(error, GDK_PIXBUF_ERROR_UNKNOWN_TYPE, msg::kOnlyRgb8Saved);
      return FALSE;
    }
    const int width = gdk_pixbuf_get_width(pixbuf);
    const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf);
    const auto stride = static_cast<size_t>(gdk_pixbuf_get_rowstride(pixbuf));
    std::vector<uint32_t> row(static_cast<size_t>(width));
    ByteBuffer logo;
    EncodeLogoArgb(width, gdk_pixbuf_get_height(pixbuf),
                   [&](int32_t y) {
                     const guint8* in = pixels + stride * static_cast<size_t>(y);
                     for (uint32_t& argb : row) {
                       const uint32_t alpha = hasAlpha ? in[3] : 255;
                       argb = alpha << 24 | uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2];
                       in += channels;
                     }
                     return row.data();
                   },
                   logo);
    return saveFunc(reinterpret_cast<const gchar*>(logo.Data()), static_cast<gsize>(logo.Size()), error, userData);
  } catch (...) {
    SetErrorOfFailure(error);
    return FALSE;
  }
}

// No option changes what is saved.
gboolean IsSaveOptionSupported(const gchar*) noexcept { return FALSE; }

// The format has no magic number; only the headers of the two known logo
// sizes are fixed: 00 00 00 32 00 00 00 1E (50 x 30) and 00 00 00 36 00 00
// 00 22 (54 x 34). The 'z' bytes of a mask must be zero; their prefix bytes
// only hold the place. The patterns help only where gdk-pixbuf is built
// without sniffing by MIME type; Debian's picks a loader by the MIME type
// the MIME database gives for the file, and never looks at them (tried: a
// 50 x 30 logo named x.dat is not recognised).
GdkPixbufModulePattern kSignature[] = {
    {const_cast<char*>("zzz2zzz\x1e"), const_cast<char*>("zzz zzz "), 80},
    {const_cast<char*>("zzz6zzz\""), const_cast<char*>("zzz zzz "), 80},
    {nullptr, nullptr, 0},
};
gchar* kMimeTypes[] = {const_cast<gchar*>("image/x-kvx-logo"), const_cast<gchar*>("image/x-hzn-logo"), nullptr};
gchar* kExtensions[] = {const_cast<gchar*>("kvx"), const_cast<gchar*>("hzn"), nullptr};

}  // namespace

void FillInfo(GdkPixbufFormat* info) {
  info->name = const_cast<gchar*>("kvx");
  info->signature = kSignature;
  info->description = const_cast<gchar*>("KVX and HZN tap logo");
  info->mime_types = kMimeTypes;
  info->extensions = kExtensions;
  // Thread-safe: it keeps no state between calls. (gdk-pixbuf's header says
  // that loaders without the mark are ignored; Debian 12's 2.42 uses them
  // all the same.)
  info->flags = GDK_PIXBUF_FORMAT_WRITABLE | GDK_PIXBUF_FORMAT_THREADSAFE;
  info->license = const_cast<gchar*>("MIT");
}

void FillVtable(GdkPixbufModule* module) {
  module->load = Load;
  module->begin_load = BeginLoad;
  module->load_increment = LoadIncrement;
  module->stop_load = StopLoad;
  module->save_to_callback = SaveToCallback;
  module->is_save_option_supported = IsSaveOptionSupported;
}

}  // namespace lum::pixbuf
