list(APPEND QUORVANE_SOURCES
  src/persist/archive_file.cpp
  src/persist/class_register.cpp
  src/persist/option_info.cpp
  src/persist/save_data.cpp
  src/persist/serializer.cpp
  src/persist/system_data.cpp
  src/persist/unit_archive.cpp
)
