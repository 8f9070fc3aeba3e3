# cmake -DROOT=<source dir> -P LayerCheck.cmake
#
# Keeps the layers one way: every #include "dir/..." of a file under src/,
# bench/ or fuzz/ must name a layer that the file's own layer may use, and
# Qt headers stand only in the Qt front-end, the programs and the benchmarks.
# Each offending include is printed with its file and line; the check fails
# when there is one.

cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "LayerCheck: ROOT (the source directory) is not set")
endif()

# The layer of a path below ROOT ("src/network/ChgDNS.h" -> network), or of
# an include ("network/ChgDNS.h", looked up below src/). Longest prefix first.
function(layer_of path out)
  set(prefixes
      src/platform/sim sim src/platform/win32 win32 src/platform platform
      src/system system src/core core src/network network src/journal journal
      src/toolkit toolkit src/actions actions src/switch switch src/ui ui
      src/resource resource src/frontend/headless headless src/frontend/qt qt
      src/frontend/win32 winui src/app app src/testing/winui wintesting src/testing testing
      bench bench fuzz fuzz)
  set(result "")
  list(LENGTH prefixes n)
  math(EXPR last "${n} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET prefixes ${i} prefix)
    list(GET prefixes ${j} name)
    string(FIND "${path}/" "${prefix}/" at)
    if(at EQUAL 0)
      set(result ${name})
      break()
    endif()
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# What each layer may include, itself included.
set(allowed_platform platform)
set(allowed_sim platform sim)
set(allowed_win32 platform win32)
set(allowed_system platform system)
set(allowed_core ${allowed_system} core)
set(allowed_network ${allowed_core} network)
set(allowed_toolkit platform system toolkit)
set(allowed_journal platform journal)
# The switch and everything below it reach no toolkit or window header: the
# extras' system side are services, their window bindings live in ui.
set(allowed_actions ${allowed_network} actions)
set(allowed_switch ${allowed_network} actions journal switch)
set(allowed_ui ${allowed_switch} toolkit ui)
set(allowed_resource platform resource)
set(allowed_headless platform system toolkit headless)
set(allowed_qt ${allowed_ui} headless qt)
set(allowed_winui ${allowed_ui} headless winui)
set(allowed_testing ${allowed_network} sim win32 testing)
# The Windows front-end's test helpers drive its windows.
set(allowed_wintesting ${allowed_winui} wintesting)
set(everything platform sim win32 system core network journal toolkit actions switch ui
    resource headless qt winui testing wintesting app)
set(allowed_app ${everything})
set(allowed_bench ${everything})
set(allowed_fuzz ${everything})
set(qt_allowed qt app bench)

file(GLOB_RECURSE files RELATIVE "${ROOT}"
     "${ROOT}/src/*.h" "${ROOT}/src/*.cpp" "${ROOT}/bench/*.h" "${ROOT}/bench/*.cpp"
     "${ROOT}/fuzz/*.h" "${ROOT}/fuzz/*.cpp")
set(faults 0)
foreach(file IN LISTS files)
  layer_of("${file}" layer)
  if(NOT layer)
    continue()
  endif()
  set(allowed ${allowed_${layer}})
  # A test may also build its fixture machine.
  if(file MATCHES "_test\\.cpp$")
    list(APPEND allowed sim testing)
    if(layer STREQUAL "winui")
      list(APPEND allowed wintesting)
    endif()
  endif()
  file(STRINGS "${ROOT}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(header "${CMAKE_MATCH_1}")
      layer_of("src/${header}" target)
      if(target AND NOT target IN_LIST allowed)
        message("${file}: #include \"${header}\": layer ${layer} may not include layer ${target}")
        math(EXPR faults "${faults} + 1")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<(Qt[A-Za-z]*/[^>]*|Q[A-Z][A-Za-z]*)>")
      if(NOT layer IN_LIST qt_allowed)
        message("${file}: #include <${CMAKE_MATCH_1}>: Qt is used only in frontend/qt, the programs and the benchmarks")
        math(EXPR faults "${faults} + 1")
      endif()
    endif()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "LayerCheck: ${faults} include(s) break the layers")
endif()
list(LENGTH files count)
message("LayerCheck: ${count} files, every include within its layer's reach")
