# Fights the same short battle twice and fails unless each run exits 0 with
# exactly one result line on standard output (the game's own reports kept
# off it) and both lines are the same; then checks that a stage out of
# range is refused with a message and no line.
#
#   cmake -DAUTOPLAY=path/to/autoplay -P same_line_twice.cmake   (from the folder holding dat/)

set(args --stage 0 --seed 2 --max-frames 1500)
string(JOIN " " shown ${args})
set(line_re "^stage 0 seed 2 result (cleared|gameover|timeout) turns [0-9]+ frames [0-9]+ hits [0-9]+ misses [0-9]+ kills [0-9]+\n$")

foreach(run first second)
  execute_process(COMMAND ${AUTOPLAY} ${args} OUTPUT_VARIABLE ${run} ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "autoplay ${shown} exited with ${rc}:\n${err}")
  endif()
  if(NOT "${${run}}" MATCHES "${line_re}")
    message(FATAL_ERROR "autoplay ${shown} printed more or less than its result line:\n${${run}}")
  endif()
endforeach()
if(NOT first STREQUAL second)
  message(FATAL_ERROR "the same seed gave two battles:\n${first}${second}")
endif()
# With no blow struck the seed would have decided nothing.
if(first MATCHES " hits 0 misses 0 ")
  message(FATAL_ERROR "nobody struck anybody in autoplay ${shown}:\n${first}")
endif()

execute_process(COMMAND ${AUTOPLAY} --stage 9 --seed 1 OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR NOT out STREQUAL "" OR err STREQUAL "")
  message(FATAL_ERROR "stage 9 was not refused (exit ${rc}, output \"${out}\", message \"${err}\")")
endif()
