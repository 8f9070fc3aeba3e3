# zuba_layer(NAME DIR [DEPS ...] [TEST_DEPS ...])
#
# Builds the sources of one layer directory (not its subdirectories) into the
# static library zuba_NAME and its *_test.cpp files into the test binary
# NAME_tests. Files are globbed, so adding a module needs no CMake change.
function(zuba_layer name dir)
  cmake_parse_arguments(L "" "" "DEPS;TEST_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB tests CONFIGURE_DEPENDS ${dir}/*_test.cpp)
  if(tests)
    list(REMOVE_ITEM sources ${tests})
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
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "ZUBA_BUILD_DIR=${PROJECT_BINARY_DIR}")
  endif()
endfunction()
