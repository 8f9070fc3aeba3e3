# cmake -DTOOL=<zuba_icon> -DPICTURE=<.pic> -DPNG=<committed png> -DOUT=<dir> -P IconCheck.cmake
#
# Makes the icon from its picture and fails when the committed PNG of it
# (README's) shows something else.
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${TOOL}" "${PICTURE}" "${OUT}/zubanet.ico" "${OUT}/zubanet-icon.png"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "IconCheck: zuba_icon failed on ${PICTURE}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}/zubanet-icon.png" "${PNG}"
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "IconCheck: ${PNG} is not the picture of ${PICTURE}; "
                      "make it anew with: zuba_icon ${PICTURE} /dev/null ${PNG}")
endif()
message("IconCheck: ${PNG} shows ${PICTURE}")
