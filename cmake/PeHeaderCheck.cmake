# cmake -DOBJDUMP=<objdump> -DWINDOWED=<zubanet.exe> -DCONSOLE=<zubanetc.exe> -P PeHeaderCheck.cmake
#
# What Wine does not show: Windows 95 loads a program marked for Windows
# 4.0 at most; a program marked for the console subsystem (3) gets a
# console window from Windows 9x for its whole life, one for the windowed
# subsystem (2) none. The windowed program must not open one either
# (AllocConsole), and the Explorer shows the first icon of its resources.
# Both have no link time in their header, so the same sources make the
# same bytes.
cmake_minimum_required(VERSION 3.25)

set(faults "")
foreach(kind WINDOWED CONSOLE)
  execute_process(COMMAND "${OBJDUMP}" -p "${${kind}}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "PeHeaderCheck: ${OBJDUMP} -p ${${kind}} failed")
  endif()
  get_filename_component(name "${${kind}}" NAME)
  if(kind STREQUAL "WINDOWED")
    set(expected "Subsystem[ \t]+00000002")
  else()
    set(expected "Subsystem[ \t]+00000003")
  endif()
  foreach(pattern "${expected}" "MajorOSystemVersion[ \t]+4\n" "MinorOSystemVersion[ \t]+0\n"
                  "MajorSubsystemVersion[ \t]+4\n" "MinorSubsystemVersion[ \t]+0\n"
                  "Time/Date[ \t]+Thu Jan  1 00:00:00 1970" "Entry: ID: 0x00000e" "Entry: ID: 0x000010")
    if(NOT dump MATCHES "${pattern}")
      list(APPEND faults "${name}: no \"${pattern}\" in its header")
    endif()
  endforeach()
  if(kind STREQUAL "WINDOWED" AND dump MATCHES "AllocConsole|AttachConsole")
    list(APPEND faults "${name}: imports a function that opens a console")
  endif()
endforeach()
if(faults)
  list(JOIN faults "\n  " faults)
  message(FATAL_ERROR "PeHeaderCheck:\n  ${faults}")
endif()
message("PeHeaderCheck: ${WINDOWED} windowed, ${CONSOLE} console, for Windows 4.0, with icon and version")
