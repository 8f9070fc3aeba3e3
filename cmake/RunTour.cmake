# Runs scripts/tour.sh as scripts/run.sh does without a display and checks
# that it ends well and that the machine showed the address the applied
# setting gives. -DROOT=<source> -DZUBANET=<program> -DMACHINE_TOOL=<program>
# -DDIR=<scratch directory>
execute_process(
  COMMAND bash ${ROOT}/scripts/tour.sh ${ZUBANET} ${MACHINE_TOOL} ${DIR}
  RESULT_VARIABLE code
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out)
message("${out}")
if(NOT code EQUAL 0)
  message(FATAL_ERROR "tour.sh ended with ${code}")
endif()
# zubanet-machine show after the apply of Office: its address on the
# Ethernet adapter, and the restart /c asked for.
if(NOT out MATCHES "\\$ zubanet-machine show\n[^$]*IP address +192\\.168\\.1\\.50\n[^$]*Pending power action")
  message(FATAL_ERROR "tour.sh: zubanet-machine show did not show 192.168.1.50 after the apply")
endif()
file(REMOVE_RECURSE ${DIR})
