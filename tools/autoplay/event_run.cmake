# Plays the shortest story scene to its end and fails unless the one line
# says so; then a script that cannot be loaded must be refused with the
# reader's message naming the file, no line, and a failing exit status.
#
#   cmake -DAUTOPLAY=path/to/autoplay -DSCRATCH=folder -P event_run.cmake   (from the folder holding dat/)

set(scene dat/script/event/05_ending.xml)
execute_process(COMMAND ${AUTOPLAY} --event ${scene} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^event ${scene} bundlers [1-9][0-9]* events [1-9][0-9]* frames [1-9][0-9]*\n$")
  message(FATAL_ERROR "autoplay --event ${scene} exited with ${rc}:\n${out}${err}")
endif()
if(err MATCHES "ERROR: [A-Za-z]+Sanitizer|runtime error:")
  message(FATAL_ERROR "the sanitizers reported:\n${err}")
endif()

file(MAKE_DIRECTORY "${SCRATCH}")
set(broken "${SCRATCH}/broken.xml")
file(WRITE "${broken}" "<script><bundler><sequence><event type=\"Wait\" frame=\"12x\"/></sequence></bundler></script>")
execute_process(COMMAND ${AUTOPLAY} --event ${broken} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err MATCHES "broken.xml")
  message(FATAL_ERROR "a broken script was not refused (exit ${rc}, output \"${out}\", message \"${err}\")")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
