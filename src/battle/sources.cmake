# Sources of src/battle (explicit list, no globbing): the battle scene, its
# strategies, the player's and the enemies' commands, the actions that play
# moves and attacks out, and the scene's cursor and windows
list(APPEND QUORVANE_SOURCES
  src/battle/cursor.cpp
  src/battle/stage.cpp
  src/battle/stage_strategies.cpp
  src/battle/leave_question.cpp
  src/battle/announce.cpp
  src/battle/unit_action.cpp
  src/battle/unit_command.cpp
  src/battle/unit_command_ai.cpp
  src/battle/unit_ai.cpp
  src/battle/facing_arrow.cpp
  src/battle/unit_order_window.cpp
  src/battle/status_window.cpp
  src/battle/action_predict_window.cpp
  src/battle/skill_select_dialog.cpp
)
