# Run at the end of `cmake --install`: brings the MIME database, the
# launchers' MIME cache and the hicolor icon cache up to date with the files
# just installed, with whichever of the tools is present. A staged install
# (DESTDIR set, as when a package is built) leaves them alone: a package
# must not ship these caches, the target system makes its own.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
if(IS_ABSOLUTE "${LUM_DATADIR}")
  set(data "${LUM_DATADIR}")
else()
  set(data "${CMAKE_INSTALL_PREFIX}/${LUM_DATADIR}")
endif()

function(lum_update tool)
  find_program(program_${tool} ${tool} NO_CACHE)
  if(NOT program_${tool})
    return()
  endif()
  list(JOIN ARGN " " arguments)
  message(STATUS "Running ${tool} ${arguments}")
  execute_process(COMMAND ${program_${tool}} ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(WARNING "${tool} failed (${result}); the desktop may not know the new files until it is run")
  endif()
endfunction()

lum_update(update-mime-database "${data}/mime")
lum_update(update-desktop-database -q "${data}/applications")
# Only a theme folder with its index has a cache, as in Debian's hicolor
# package; elsewhere the desktop reads the icon folders directly.
if(EXISTS "${data}/icons/hicolor/index.theme")
  lum_update(gtk-update-icon-cache --force --quiet "${data}/icons/hicolor")
endif()
