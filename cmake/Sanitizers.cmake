# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build: -DTOLVARN_SANITIZE=ON
#
# Every fault stops the program that made it (no recovery), so a test that touches one
# fails. The programs carry their own sanitizer settings (sanitizer_defaults.cpp), so
# ctest, a death test's child and a hand-started run all behave alike; settings given
# in ASAN_OPTIONS or UBSAN_OPTIONS still win.
if(TOLVARN_SANITIZE)
  set(tolvarn_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${tolvarn_sanitize_flags} -g)
  add_link_options(${tolvarn_sanitize_flags})

  add_library(tolvarn_sanitizer_defaults OBJECT "${CMAKE_CURRENT_LIST_DIR}/sanitizer_defaults.cpp")
  # Every program built after this point carries the settings.
  link_libraries(tolvarn_sanitizer_defaults)
endif()
