# Packs the sample carrier and checks it: cmake -DCARRIER_TOOL= -DSTUB= -DMANIFEST= -DOUT= -DREPORT=
# -P pack.cmake. The pack report goes to REPORT as well as to the build log.
execute_process(
  COMMAND ${CARRIER_TOOL} pack --stub ${STUB} --out ${OUT} ${MANIFEST}
  OUTPUT_VARIABLE report
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "carrier pack refused ${MANIFEST}:\n${errors}${report}")
endif()
execute_process(
  COMMAND ${CARRIER_TOOL} verify ${OUT}
  OUTPUT_VARIABLE verified
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUT})
  message(FATAL_ERROR "carrier verify found the packed carrier damaged:\n${errors}${verified}")
endif()
file(WRITE ${REPORT} "${report}")
message(STATUS "${report}${verified}")
