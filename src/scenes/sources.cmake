list(APPEND QUORVANE_SOURCES
  src/scenes/scene_title.cpp
  src/scenes/scene_camp.cpp
  src/scenes/dialog_rows.cpp
  src/scenes/edit_param_dialog.cpp
  src/scenes/get_skill_dialog.cpp
  src/scenes/info_dialogs.cpp
  src/scenes/party_dialogs.cpp
  src/scenes/save_slot_list.cpp
)
