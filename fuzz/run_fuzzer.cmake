# Runs one fuzz target for a bounded time on a fresh copy of its seed corpus.
# -D FUZZER=<executable> SEEDS=<seed folder> WORK=<scratch folder> SECONDS=<n> [EXTRA=<option>]
if(NOT EXISTS ${SEEDS})
    message(FATAL_ERROR "no seed corpus at ${SEEDS}")
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/artifacts)
file(COPY ${SEEDS}/ DESTINATION ${WORK}/corpus)

set(options -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
    -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/)
if(EXTRA)
    list(APPEND options ${EXTRA})
endif()
execute_process(COMMAND ${FUZZER} ${options} ${WORK}/corpus
    WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(GLOB found ${WORK}/artifacts/*)
    message(FATAL_ERROR "${FUZZER} failed (${result}); inputs kept: ${found}")
endif()
