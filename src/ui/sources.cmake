list(APPEND QUORVANE_SOURCES
  src/ui/gui_manager.cpp
  src/ui/dialog.cpp
  src/ui/panes.cpp
  src/ui/menu_dialog.cpp
)
