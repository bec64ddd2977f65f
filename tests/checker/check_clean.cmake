# Runs the checker on a game folder; fails unless it exits 0 and prints nothing.
execute_process(COMMAND ${CHECKER} --werror ${GAME}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "${err}")
if(NOT status EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "vorlen-check ${GAME} exited ${status}:\n${out}")
endif()
