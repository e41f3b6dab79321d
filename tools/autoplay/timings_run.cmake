# A short battle with --timings: one line per frame, frames numbered 1 to
# the last, then the closing figures (start-up, the frame shares in order
# p50 <= p99 <= max, the worst frame among those written, the peak memory).
# A timings file in a folder that is not there is refused before playing.
#
#   cmake -DAUTOPLAY=path/to/autoplay -DSCRATCH=folder -P timings_run.cmake   (from the folder holding dat/)

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
set(log "${SCRATCH}/timings.txt")
execute_process(COMMAND ${AUTOPLAY} --stage 0 --seed 1 --max-frames 240 --timings ${log}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^stage 0 seed 1 result timeout turns [0-9]+ frames 240 ")
  message(FATAL_ERROR "autoplay --timings exited with ${rc}:\n${out}${err}")
endif()
if(err MATCHES "ERROR: [A-Za-z]+Sanitizer|runtime error:")
  message(FATAL_ERROR "the sanitizers reported:\n${err}")
endif()

file(STRINGS "${log}" lines)
set(expected 1)
set(closing "")
foreach(line IN LISTS lines)
  if(line MATCHES "^# ")
    list(APPEND closing "${line}")
  elseif(line MATCHES "^([0-9]+) [0-9]+\\.[0-9] battle-0 [A-Za-z_]+$")
    if(NOT CMAKE_MATCH_1 EQUAL expected)
      message(FATAL_ERROR "frame ${expected} expected, found: ${line}")
    endif()
    math(EXPR expected "${expected} + 1")
  else()
    message(FATAL_ERROR "not a timings line: ${line}")
  endif()
endforeach()
if(NOT expected EQUAL 241)
  message(FATAL_ERROR "240 frame lines expected, found ${expected} - 1")
endif()
list(JOIN closing "\n" closing)
if(NOT closing MATCHES "# start-up-ms [0-9]+\\.[0-9]\n# frames 240 p50-pct ([0-9.]+) p99-pct ([0-9.]+) max-pct ([0-9.]+) worst-frame ([0-9]+) battle-0 [A-Za-z_]+\n# peak-rss-kb [1-9][0-9]*$")
  message(FATAL_ERROR "closing lines:\n${closing}")
endif()
if(CMAKE_MATCH_1 GREATER CMAKE_MATCH_2 OR CMAKE_MATCH_2 GREATER CMAKE_MATCH_3 OR CMAKE_MATCH_4 GREATER 240
   OR CMAKE_MATCH_4 LESS 1)
  message(FATAL_ERROR "figures out of order:\n${closing}")
endif()

execute_process(COMMAND ${AUTOPLAY} --stage 0 --seed 1 --timings "${SCRATCH}/no/such/folder/t.txt"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err MATCHES "cannot be written")
  message(FATAL_ERROR "a timings file that cannot be written was not refused (exit ${rc}: ${out}${err})")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
