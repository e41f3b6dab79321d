list(APPEND QUORVANE_TEST_SOURCES
  tests/persist/archive_file_test.cpp
  tests/persist/option_info_test.cpp
  tests/persist/save_data_test.cpp
  tests/persist/serializer_test.cpp
)
