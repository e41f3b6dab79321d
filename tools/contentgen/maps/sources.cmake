list(APPEND CONTENTGEN_SOURCES
  tools/contentgen/maps/generate_maps.cpp
  tools/contentgen/maps/map_build.cpp
  tools/contentgen/maps/map_check.cpp
  tools/contentgen/maps/map_chip_sheet.cpp
  tools/contentgen/maps/map_csv.cpp
  tools/contentgen/maps/map_layout.cpp
  tools/contentgen/maps/map_pixels.cpp
  tools/contentgen/maps/map_preview.cpp
)
