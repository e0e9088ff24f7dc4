# Takes a picture of every screen into OUT with the screenshot tool TOOL,
# offscreen, keeping the build's output quiet unless it fails.
#
#   cmake -DTOOL=hakobee-screenshots -DOUT=DIR -P takepictures.cmake
set(ENV{QT_QPA_PLATFORM} offscreen)
file(REMOVE_RECURSE ${OUT})
execute_process(
    COMMAND ${TOOL} ${OUT}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${OUT} failed (${result}):\n${output}${errors}")
endif()
