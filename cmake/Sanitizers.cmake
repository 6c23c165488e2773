# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build: -DTOLVARN_SANITIZE=ON
#
# Every fault stops the program that made it (no recovery), so a test that touches one
# fails. The programs carry their own sanitizer settings (sanitizer_defaults.cpp), so
# ctest, a death test's child and a hand-started run all behave alike; settings given
# in ASAN_OPTIONS, UBSAN_OPTIONS or LSAN_OPTIONS still win.
option(TOLVARN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(TOLVARN_SANITIZE)
  set(tolvarn_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${tolvarn_sanitize_flags} -g)
  add_link_options(${tolvarn_sanitize_flags})

  # Leaks inside Qt's and the desktop's libraries that are no fault of ours; the list
  # names only their frames.
  set(TOLVARN_LSAN_SUPPRESSIONS "${CMAKE_CURRENT_LIST_DIR}/lsan.supp")
  add_library(tolvarn_sanitizer_defaults OBJECT "${CMAKE_CURRENT_LIST_DIR}/sanitizer_defaults.cpp")
  target_compile_definitions(tolvarn_sanitizer_defaults PRIVATE
    "TOLVARN_LSAN_SUPPRESSIONS=\"${TOLVARN_LSAN_SUPPRESSIONS}\"")
  # Every program built after this point carries the settings.
  link_libraries(tolvarn_sanitizer_defaults)
endif()
