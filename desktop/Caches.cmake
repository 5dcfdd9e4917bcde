# The desktop's caches over a data folder (share/): the MIME database, the
# launchers' MIME cache and the hicolor icon cache. An install into a prefix
# refreshes them (InstallCaches.cmake) and the uninstall refreshes them or
# takes them away (Uninstall.cmake.in). A package leaves them to the
# system: the dpkg triggers of shared-mime-info, desktop-file-utils and
# hicolor-icon-theme rebuild them.

# lum_run_tool(<tool> <arguments>...): runs the tool when it is present.
function(lum_run_tool tool)
  find_program(program_${tool} ${tool} NO_CACHE)
  if(NOT program_${tool})
    return()
  endif()
  list(JOIN ARGN " " arguments)
  message(STATUS "Running ${tool} ${arguments}")
  execute_process(COMMAND ${program_${tool}} ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(WARNING "${tool} failed (${result}); the desktop may not know the files until it is run")
  endif()
endfunction()

# lum_refresh_caches(<data folder>): brings the caches up to date with the
# files there now.
function(lum_refresh_caches data)
  if(IS_DIRECTORY "${data}/mime/packages")
    lum_run_tool(update-mime-database "${data}/mime")
  endif()
  if(IS_DIRECTORY "${data}/applications")
    lum_run_tool(update-desktop-database -q "${data}/applications")
  endif()
  # Only a theme folder with its index has a cache, as in Debian's hicolor
  # package; elsewhere the desktop reads the icon folders directly.
  if(EXISTS "${data}/icons/hicolor/index.theme")
    lum_run_tool(gtk-update-icon-cache --force --quiet "${data}/icons/hicolor")
  endif()
endfunction()

# lum_forget_caches(<data folder>): after Lumiq's files have gone, a cache
# that would describe nothing goes too (the MIME database without any type
# package, the launchers' cache without any launcher); the others are
# refreshed.
function(lum_forget_caches data)
  file(GLOB types "${data}/mime/packages/*.xml")
  if(types)
    lum_run_tool(update-mime-database "${data}/mime")
  elseif(EXISTS "${data}/mime/mime.cache")
    # Everything in a MIME folder but packages/ is made by update-mime-database.
    file(GLOB generated "${data}/mime/*")
    list(REMOVE_ITEM generated "${data}/mime/packages")
    file(REMOVE_RECURSE ${generated})
  endif()
  file(GLOB launchers "${data}/applications/*.desktop")
  if(launchers)
    lum_run_tool(update-desktop-database -q "${data}/applications")
  else()
    file(REMOVE "${data}/applications/mimeinfo.cache")
  endif()
  if(EXISTS "${data}/icons/hicolor/index.theme")
    lum_run_tool(gtk-update-icon-cache --force --quiet "${data}/icons/hicolor")
  endif()
endfunction()
