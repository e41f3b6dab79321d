list(APPEND QUORVANE_TEST_SOURCES
  tests/scenes/scene_title_test.cpp
  tests/scenes/scene_camp_test.cpp
  tests/scenes/edit_param_dialog_test.cpp
  tests/scenes/get_skill_dialog_test.cpp
  tests/scenes/info_dialogs_test.cpp
  tests/scenes/party_dialogs_test.cpp
  tests/scenes/save_slot_list_test.cpp
)
