# The Windows 9x personality of the Windows tests (src/testing/win32/win9x),
# generated from docs/win9x-imports.md so the two never drift:
#   Win9xStubs.inc  ZUBA_9X_STUB("DLL", Function) for every row whose 95/98
#                   column says stub;
#   zuba9x.def      the exports of zuba9x.dll: forwarders to the functions
#                   zubanet.exe imports from VERSION.dll, the DLL the
#                   launcher names zuba9x.dll in its place.
# Targets: zuba_win9x (the personality, linked into every test program,
# which installs it at its start when ZUBA_WIN9X is set), zuba9x.dll and
# the launcher win9x-run.exe that runs a program under it.
set(table ${PROJECT_SOURCE_DIR}/docs/win9x-imports.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table})
set(generated ${PROJECT_BINARY_DIR}/win9x)
file(STRINGS ${table} rows REGEX "^\\| [A-Za-z0-9]+\\.dll \\|")
set(stubs "")
set(exports "LIBRARY zuba9x.dll\nEXPORTS\n")
foreach(row IN LISTS rows)
  string(REGEX MATCH "^\\| ([^ |]+) \\| `([^`]+)` \\|[^|]*\\| ([a-z]+) \\| ([^|]*)\\|" found "${row}")
  if(NOT found)
    continue()
  endif()
  set(dll ${CMAKE_MATCH_1})
  set(function ${CMAKE_MATCH_2})
  set(status ${CMAKE_MATCH_3})
  set(by "${CMAKE_MATCH_4}")
  if(status STREQUAL "stub")
    string(APPEND stubs "ZUBA_9X_STUB(\"${dll}\", ${function})\n")
  endif()
  if(dll STREQUAL "VERSION.dll" AND by MATCHES "program")
    string(APPEND exports "  ${function} = VERSION.${function}\n")
  endif()
endforeach()
file(CONFIGURE OUTPUT ${generated}/Win9xStubs.inc CONTENT "${stubs}")
file(CONFIGURE OUTPUT ${generated}/zuba9x.def CONTENT "${exports}")

set(dir ${PROJECT_SOURCE_DIR}/src/testing/win32/win9x)
add_library(zuba_win9x STATIC ${dir}/Personality.cpp)
target_include_directories(zuba_win9x PUBLIC ${PROJECT_SOURCE_DIR}/src PRIVATE ${generated})
add_library(zuba9x SHARED ${dir}/ProxyMain.cpp ${generated}/zuba9x.def)
set_target_properties(zuba9x PROPERTIES PREFIX "" OUTPUT_NAME zuba9x)
target_link_libraries(zuba9x PRIVATE zuba_win9x version)
target_link_options(zuba9x PRIVATE -static -static-libgcc -static-libstdc++)
add_executable(win9x-run ${dir}/Launcher.cpp)
target_link_libraries(win9x-run PRIVATE -static)
