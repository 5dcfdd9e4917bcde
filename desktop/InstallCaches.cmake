# Run at the end of `cmake --install`: brings the caches up to date with the
# files just installed, with whichever of the tools is present. A staged
# install (DESTDIR set, as when the package is built) leaves them alone: a
# package must not ship these caches, the target system makes its own.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
include("${CMAKE_CURRENT_LIST_DIR}/Caches.cmake")
if(IS_ABSOLUTE "${LUM_DATADIR}")
  lum_refresh_caches("${LUM_DATADIR}")
else()
  lum_refresh_caches("${CMAKE_INSTALL_PREFIX}/${LUM_DATADIR}")
endif()
