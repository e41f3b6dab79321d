list(APPEND QUORVANE_SOURCES
  src/ui/gui_manager.cpp
  src/ui/dialog.cpp
  src/ui/panes.cpp
  src/ui/menu_dialog.cpp
  src/ui/message_dialog.cpp
  src/ui/confirm_dialog.cpp
  src/ui/key_help.cpp
  src/ui/window_panes.cpp
)
