# Test helpers shared by every subsystem.
#
# On the host, the core's tests build against the system GoogleTest under ASan and UBSan.
# For Windows, GoogleTest is compiled from Debian's googletest sources with the cross compiler and
# the tests run through the Wine wrapper (CMAKE_CROSSCOMPILING_EMULATOR); a cross build without an
# emulator (the 32-bit one) builds its tests but does not register them.
option(GLYPH_BUILD_TESTS "Build the tests" ${BUILD_TESTING})
set(GLYPH_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources for cross builds")

set(GLYPH_RUN_TESTS OFF)
if(GLYPH_BUILD_TESTS AND (NOT CMAKE_CROSSCOMPILING OR CMAKE_CROSSCOMPILING_EMULATOR))
  set(GLYPH_RUN_TESTS ON)
endif()

# Test names say where they run, since one CTest run covers the host and the Windows trees.
if(WIN32)
  set(GLYPH_TEST_PREFIX "windows-")
else()
  set(GLYPH_TEST_PREFIX "host-")
endif()

if(GLYPH_BUILD_TESTS)
  if(WIN32)
    if(NOT TARGET gtest)
      set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
      add_subdirectory(${GLYPH_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

# One Wine prefix and one display per build tree: Windows tests take this lock and run one at a
# time, while the host's tests may run beside them (ctest -j).
set(GLYPH_WINE_LOCK wine-desktop)

# glyph_add_test(NAME name SOURCES ... LIBS ... [TIMEOUT seconds])
# One executable per group of related cases; CTest runs it as one test.
function(glyph_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT GLYPH_BUILD_TESTS)
    return()
  endif()
  if(WIN32)
    list(APPEND T_SOURCES ${PROJECT_SOURCE_DIR}/res/test_manifest.rc)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  if(WIN32)
    # glyph_test_main initialises the process the way the program does, then runs the cases.
    target_link_libraries(${T_NAME} PRIVATE glyph_test_main gtest ${T_LIBS})
  else()
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gtest_main ${T_LIBS})
  endif()
  if(GLYPH_RUN_TESTS)
    add_test(NAME ${GLYPH_TEST_PREFIX}${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
    if(NOT T_TIMEOUT)
      set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${GLYPH_TEST_PREFIX}${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(WIN32)
      set_tests_properties(${GLYPH_TEST_PREFIX}${T_NAME} PROPERTIES RESOURCE_LOCK ${GLYPH_WINE_LOCK})
    endif()
  endif()
endfunction()

# glyph_run_once(TARGET [ARGS...]): the test command runs a benchmark or tool program once with
# the tiny counts its arguments ask for, so that none of them stops working unseen.
function(glyph_run_once target)
  if(NOT GLYPH_RUN_TESTS)
    return()
  endif()
  add_test(NAME ${GLYPH_TEST_PREFIX}${target}-once COMMAND ${target} ${ARGN})
  set_tests_properties(${GLYPH_TEST_PREFIX}${target}-once PROPERTIES TIMEOUT 120 LABELS tools RESOURCE_LOCK ${GLYPH_WINE_LOCK})
endfunction()
