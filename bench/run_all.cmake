# Runs every benchmark program in turn; their rows make one table.
separate_arguments(BENCHES)
message("benchmark | measured | baseline | ratio")
foreach(b ${BENCHES})
  execute_process(COMMAND ${DIR}/${b} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${b} failed: ${rc}")
  endif()
endforeach()
