list(APPEND CONTENTGEN_SOURCES
  tools/contentgen/events/event_scripts.cpp
)
