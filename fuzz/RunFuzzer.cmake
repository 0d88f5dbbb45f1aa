# Runs one fuzz target for a few seconds over a fresh copy of its seed corpus.
# Variables: FUZZER (the executable), CORPUS (checked-in seeds), WORK (scratch folder),
# SECONDS (time budget).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/artifacts")
file(COPY "${CORPUS}/" DESTINATION "${WORK}/corpus")

execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=1024
          -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/ "${WORK}/corpus"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a failure (exit ${result}); the input is in ${WORK}/artifacts")
endif()
