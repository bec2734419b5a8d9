# SPDX-License-Identifier: GPL-3.0-or-later
# LINVOX_SANITIZE builds everything with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, every finding fatal, for the second pass of scripts/test. With clang
# it also builds the fuzz targets of tests/fuzz.
option(LINVOX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(LINVOX_SANITIZE)
  set(linvox_sanitizer_flags
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${linvox_sanitizer_flags})
  add_link_options(${linvox_sanitizer_flags})
endif()
