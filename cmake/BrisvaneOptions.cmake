# SPDX-License-Identifier: GPL-3.0-or-later
# One interface target that every project target links: language level, warnings, sanitizers.
add_library(brisvane_options INTERFACE)
target_compile_features(brisvane_options INTERFACE cxx_std_20)
# Every include names its layer: #include "core/account.h". The layer check (tools/check-layers)
# fails the build's tests when a folder includes a header of a folder above it.
target_include_directories(brisvane_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(brisvane_options INTERFACE -Wall -Wextra -Wpedantic
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local> $<$<CXX_COMPILER_ID:Clang>:-Wshadow-uncaptured-local>)
target_compile_definitions(brisvane_options INTERFACE
  QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(BRISVANE_WERROR)
  target_compile_options(brisvane_options INTERFACE -Werror)
endif()
if(BRISVANE_SANITIZE OR BRISVANE_FUZZ)
  target_compile_options(brisvane_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
    # Qt 6.4's inline containers hand memcpy a null pointer for empty ranges.
    -fno-sanitize=nonnull-attribute)
  target_link_options(brisvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(BRISVANE_FUZZ)
  target_compile_options(brisvane_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# A library of one folder, from an explicit list of its files:
#   brisvane_add_library(name SOURCES a.cpp a.h ... [PUBLIC deps...] [PRIVATE deps...])
# A folder of headers only becomes an interface library, so the layers above link it either way.
function(brisvane_add_library name)
  cmake_parse_arguments(L "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  set(compiled ${L_SOURCES})
  list(FILTER compiled INCLUDE REGEX "\\.(cpp|qrc)$")
  if(compiled)
    add_library(${name} STATIC ${L_SOURCES})
    target_link_libraries(${name} PUBLIC brisvane_options ${L_PUBLIC} PRIVATE ${L_PRIVATE})
  else()
    add_library(${name} INTERFACE ${L_SOURCES})
    target_link_libraries(${name} INTERFACE brisvane_options ${L_PUBLIC})
  endif()
endfunction()
