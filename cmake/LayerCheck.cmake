# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file includes what its layer may not see: the core no platform or app header and no
# Qt Widgets header, the platform no app header; and inside the core, whose layers stand in the
# order messages, line, settings, dial, modems, commands, no layer a header of one above it. Run
# as a script:
#   cmake -DSOURCE_DIR=<src> -DWIDGETS_INCLUDE_DIR=<the QtWidgets headers> [-DSTAMP=<file>]
#         -P LayerCheck.cmake

set(violations "")

# Appends to violations every include of a file in folder that matches forbidden_pattern, or that
# names a Qt Widgets header when widgets_forbidden is true.
function(check_folder folder forbidden_pattern widgets_forbidden)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
      set(forbidden FALSE)
      if(header MATCHES "${forbidden_pattern}")
        set(forbidden TRUE)
      elseif(widgets_forbidden AND (header MATCHES "^QtWidgets/" OR
                                    EXISTS "${WIDGETS_INCLUDE_DIR}/${header}"))
        set(forbidden TRUE)
      endif()
      if(forbidden)
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        list(APPEND violations "${shown} includes ${header}")
      endif()
    endforeach()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

set(core_layers messages line settings dial modems commands)
set(above_core platform app)
list(REVERSE core_layers)
foreach(core_folder IN LISTS core_layers)
  list(JOIN above_core "|" above)
  check_folder(${core_folder} "^(${above})/" TRUE)
  list(APPEND above_core ${core_folder})
endforeach()
check_folder(platform "^app/" FALSE)

list(LENGTH violations count)
if(count GREATER 0)
  list(JOIN violations "\n  " listed)
  message(FATAL_ERROR "${count} forbidden includes:\n  ${listed}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
