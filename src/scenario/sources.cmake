# Sources of src/scenario (explicit list, no globbing): the story scenes'
# scripts, their events and the player that plays them
list(APPEND QUORVANE_SOURCES
  src/scenario/event_script.cpp
  src/scenario/events.cpp
  src/scenario/event_say.cpp
  src/scenario/event_sequence.cpp
  src/scenario/event_loader.cpp
  src/scenario/event_strategy.cpp
)
