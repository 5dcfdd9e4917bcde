// The gdk-pixbuf loader for KVX and HZN logo files. Its core is a static
// library (the module's two C entry points hand it over, and the fuzz target
// drives it directly); the logo format is the codec's. No C++ exception
// leaves an entry point, and nothing is printed: failures are GErrors.
#pragma once

#define GDK_PIXBUF_ENABLE_BACKEND
#include <gdk-pixbuf/gdk-pixbuf-io.h>
#undef GDK_PIXBUF_ENABLE_BACKEND

namespace lum::pixbuf {

/// The format: name "kvx", the MIME types image/x-kvx-logo and
/// image/x-hzn-logo, the extensions kvx and hzn, writable, thread-safe.
void FillInfo(GdkPixbufFormat* info);

/// Loading whole (from a FILE) and incrementally (what GdkPixbufLoader and
/// the viewers use), and saving through a callback. Pictures have alpha: the
/// word 0 transparent, every other word opaque in the decoder's colour.
void FillVtable(GdkPixbufModule* module);

}  // namespace lum::pixbuf
