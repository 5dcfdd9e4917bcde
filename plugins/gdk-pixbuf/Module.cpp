// The entry points gdk-pixbuf looks up by name in a loader module.
#include <gmodule.h>

#include "plugins/gdk-pixbuf/LogoLoader.h"

extern "C" {

G_MODULE_EXPORT void fill_info(GdkPixbufFormat* info) { lum::pixbuf::FillInfo(info); }

G_MODULE_EXPORT void fill_vtable(GdkPixbufModule* module) { lum::pixbuf::FillVtable(module); }

}  // extern "C"
