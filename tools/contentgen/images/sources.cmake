list(APPEND CONTENTGEN_SOURCES
  tools/contentgen/images/canvas.cpp
  tools/contentgen/images/contact_sheet.cpp
  tools/contentgen/images/effects.cpp
  tools/contentgen/images/faces.cpp
  tools/contentgen/images/fonts.cpp
  tools/contentgen/images/image_set.cpp
  tools/contentgen/images/painter.cpp
  tools/contentgen/images/scenes.cpp
  tools/contentgen/images/sprite_kit.cpp
  tools/contentgen/images/ui_parts.cpp
  tools/contentgen/images/units.cpp
  tools/contentgen/images/weapons.cpp
)
