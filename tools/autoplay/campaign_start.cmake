# Plays the start of a campaign through the keys alone: the title, a new
# game, the camp, the first map won, the result dialog, and the save after
# it. Fails unless the lines are the campaign's, the first battle was won,
# and the save landed in the given folder (and nowhere in dat/save).
#
#   cmake -DAUTOPLAY=path/to/autoplay -DSCRATCH=folder -P campaign_start.cmake   (from the folder holding dat/)

set(frames 9000)
file(REMOVE_RECURSE "${SCRATCH}")
file(GLOB saves_before dat/save/*)

set(dir "${SCRATCH}/saves")
execute_process(COMMAND ${AUTOPLAY} --campaign --seed 1 --max-frames ${frames} --save-dir ${dir}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "autoplay --campaign exited with ${rc}:\n${err}")
endif()
if(err MATCHES "ERROR: [A-Za-z]+Sanitizer|runtime error:")
  message(FATAL_ERROR "the sanitizers reported:\n${err}")
endif()
set(line_re "^battle 1 stage 0 result cleared turns [0-9]+ frames [0-9]+\n(battle [^\n]*\n)*")
string(APPEND line_re "campaign seed 1 maps-cleared [1-9] bonus-opened no bonus-cleared no ")
string(APPEND line_re "battles [1-9][0-9]* frames ${frames} saves [1-9][0-9]*\n$")
if(NOT out MATCHES "${line_re}")
  message(FATAL_ERROR "the campaign's first map was not won and saved in ${frames} frames:\n${out}")
endif()
if(NOT EXISTS "${dir}/save00.dat")
  message(FATAL_ERROR "the save after the first victory is not in ${dir}")
endif()
file(GLOB saves_after dat/save/*)
if(NOT saves_before STREQUAL saves_after)
  message(FATAL_ERROR "the campaign wrote into dat/save")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
