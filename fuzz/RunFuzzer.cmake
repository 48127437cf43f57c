# One bounded fuzz run: a fresh scratch folder for new finds, the committed corpus
# read alongside, a fixed seed so a run can be repeated.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(
  COMMAND ${FUZZER} -seed=1 -runs=${RUNS} -max_len=${MAX_LEN} -timeout=20 -print_final_stats=1
    -artifact_prefix=${SCRATCH}/ ${SCRATCH} ${CORPUS}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a fault (exit ${result}); the input is in ${SCRATCH}")
endif()
