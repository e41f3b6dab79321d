# Sources of src/core (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
)
