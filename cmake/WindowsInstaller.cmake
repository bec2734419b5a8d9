# SPDX-License-Identifier: GPL-3.0-or-later
# linvox-setup-<version>.exe, the per-user installer of the Windows build, made with NSIS's
# makensis (Debian's nsis builds Windows installers on Linux too). Part of the default build when
# makensis is found.
find_program(LINVOX_MAKENSIS makensis)
if(NOT LINVOX_MAKENSIS)
  message(STATUS "makensis (Debian nsis) not found: the Windows installer is not built")
  return()
endif()

set(installer ${CMAKE_BINARY_DIR}/linvox-setup-${PROJECT_VERSION}.exe)
set(script ${PROJECT_SOURCE_DIR}/packaging/windows/linvox.nsi)
set(icon ${PROJECT_SOURCE_DIR}/src/app/icons/linvox.ico)
add_custom_command(
  OUTPUT ${installer}
  COMMAND ${LINVOX_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DPROGRAM=$<TARGET_FILE:linvox>
          -DICON=${icon} -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE -DOUTFILE=${installer} ${script}
  DEPENDS linvox ${script} ${icon} ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Making the installer ${installer}"
  VERBATIM
)
add_custom_target(windows_installer ALL DEPENDS ${installer})
