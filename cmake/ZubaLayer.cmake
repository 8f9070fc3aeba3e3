# zuba_layer(NAME DIR [DEPS ...] [TEST_DEPS ...] [EXCLUDE FILE...] [EXTRA PATH...])
#
# Builds the sources of one layer directory (not its subdirectories) into the
# static library zuba_NAME and its *_test.cpp files into the test binary
# NAME_tests. Files are globbed, so adding a module needs no CMake change.
# EXCLUDE leaves out files of DIR by name; EXTRA adds files (paths below
# src/) that stand in for them.
#
# In the Win32 build (ZUBA_WIN32) a test file that includes the simulated
# machine (a header of platform/sim/, testing/TempMachine.h or
# testing/MachineTool.h) is left out: it tests the simulated machine's own
# world. Each test binary is one test, run under the cross-compiling
# emulator (Wine).
function(zuba_layer name dir)
  cmake_parse_arguments(L "" "" "DEPS;TEST_DEPS;EXCLUDE;EXTRA" ${ARGN})
  set(base ${PROJECT_SOURCE_DIR}/src/${dir})
  file(GLOB sources CONFIGURE_DEPENDS ${base}/*.cpp)
  file(GLOB tests CONFIGURE_DEPENDS ${base}/*_test.cpp)
  foreach(excluded ${L_EXCLUDE})
    list(REMOVE_ITEM sources ${base}/${excluded})
    list(REMOVE_ITEM tests ${base}/${excluded})
  endforeach()
  foreach(extra ${L_EXTRA})
    list(APPEND sources ${PROJECT_SOURCE_DIR}/src/${extra})
  endforeach()
  if(tests)
    list(REMOVE_ITEM sources ${tests})
  endif()
  if(ZUBA_WIN32)
    foreach(test ${tests})
      file(STRINGS ${test} simIncludes
           REGEX "#include \"(platform/sim/|testing/TempMachine\\.h|testing/MachineTool\\.h)")
      if(simIncludes)
        list(REMOVE_ITEM tests ${test})
      endif()
    endforeach()
  endif()
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(zuba_${name} STATIC ${sources})
  target_include_directories(zuba_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(zuba_${name} PUBLIC ${L_DEPS})
  if(ZUBA_TESTS AND tests)
    add_executable(${name}_tests ${tests})
    target_link_libraries(${name}_tests PRIVATE zuba_${name} ${L_TEST_DEPS}
                          GTest::gmock GTest::gtest_main Threads::Threads)
    if(ZUBA_WIN32)
      # With ZUBA_WIN9X set it answers as Windows 9x (win9x/Personality.h).
      target_sources(${name}_tests PRIVATE
                     ${PROJECT_SOURCE_DIR}/src/testing/win32/win9x/SelfStart.cpp)
      target_link_libraries(${name}_tests PRIVATE zuba_win9x)
      # The test machines of one Wine prefix share its registry.
      add_test(NAME ${name}_tests COMMAND ${name}_tests)
      set_tests_properties(${name}_tests PROPERTIES RESOURCE_LOCK wine_prefix)
      set_property(GLOBAL APPEND PROPERTY ZUBA_WIN32_TEST_PROGRAMS $<TARGET_FILE:${name}_tests>)
    else()
      gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
                           PROPERTIES ENVIRONMENT "ZUBA_BUILD_DIR=${PROJECT_BINARY_DIR}")
    endif()
  endif()
endfunction()
