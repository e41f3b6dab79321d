# Sources of src/gfx (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
)
