# Sources of src/assets (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
)
