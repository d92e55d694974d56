# What keeps a cold build short on two cores: the heavy headers (Qt, GoogleTest, QtTest) compiled
# once per target instead of once per source, sources compiled eight to a unit (most of the time
# of a small Qt source goes to reading headers and writing their debug information), and a linker
# that does not spend seconds on the debug information of every test program. Turn the first two
# off to check that every source still includes what it uses (-DQEN_PCH=OFF -DQEN_UNITY=OFF).
option(QEN_PCH "Precompile the Qt and GoogleTest headers" ON)
option(QEN_UNITY "Compile the sources of the larger targets in batches (unity build)" ON)

# lld links a test program with its debug information in a fraction of the time of ld.bfd.
find_program(QEN_LLD ld.lld)
if(QEN_LLD)
  add_link_options(-fuse-ld=lld)
endif()

# The compiler cache must take a precompiled header as input: it cannot see #define or __TIME__
# through one, and this tree uses neither across a header boundary.
find_program(QEN_ENV env)
if(CCACHE_PROGRAM AND QEN_PCH AND QEN_ENV)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QEN_ENV} CCACHE_SLOPPINESS=pch_defines,time_macros ${CCACHE_PROGRAM})
endif()

set(QEN_PCH_STD <algorithm> <cmath> <cstdint> <functional> <map> <memory> <optional> <string>
    <string_view> <unordered_map> <vector>)

# qen_precompile(target core|qt|gtest|qttest): the headers most sources of that kind include.
function(qen_precompile target kind)
  if(NOT QEN_PCH)
    return()
  endif()
  set(headers ${QEN_PCH_STD})
  if(kind STREQUAL "qt" OR kind STREQUAL "qttest")
    list(APPEND headers <QtWidgets/QtWidgets>)
  endif()
  if(kind STREQUAL "qttest")
    list(APPEND headers <QtTest/QtTest>)
  endif()
  if(kind STREQUAL "gtest")
    list(APPEND headers <gtest/gtest.h> <gmock/gmock.h>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# Sources that define a helper of the same name as another source of their target (a constant
# or function in an anonymous namespace): compiled alone, not batched. Named without a folder so
# that a moved file keeps its place here. LockKeyState.cpp includes Xlib, whose macros (KeyPress,
# None, Bool) break any Qt source batched after it.
set(QEN_UNITY_ALONE CadDrawFunctions.cpp DxfTagReader.cpp InpImporter.cpp TextUnitsHeader.cpp
    ZSymbolThinner.cpp CQENGridView.cpp LockKeyState.cpp
    PipePropertyForm.cpp COptionToolTipPage.cpp test_InputFile.cpp test_TextExchange.cpp
    CSizingChart.cpp CSizingDlg.cpp test_CSizingDlg.cpp)

# qen_unity(target...): one unit per eight sources, but for QEN_UNITY_ALONE and sources with
# options of their own (e.g. -O3 for the head field).
function(qen_unity)
  if(NOT QEN_UNITY)
    return()
  endif()
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      continue()
    endif()
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    # GCC takes a batched source for a header and warns of each fixture in an anonymous namespace.
    target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
    get_target_property(sources ${target} SOURCES)
    foreach(src ${sources})
      get_filename_component(name ${src} NAME)
      if(name IN_LIST QEN_UNITY_ALONE)
        set_source_files_properties(${src} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
      endif()
    endforeach()
  endforeach()
endfunction()
