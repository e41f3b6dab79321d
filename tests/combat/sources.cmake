# Tests of src/combat (explicit list, no globbing)
list(APPEND QUORVANE_TEST_SOURCES
  tests/combat/weapon_table_test.cpp
  tests/combat/skill_table_test.cpp
  tests/combat/formulas_test.cpp
  tests/combat/attack_area_test.cpp
  tests/combat/attack_act_test.cpp
)
# Tests of the effects, weapon sprites and projectiles
list(APPEND QUORVANE_TEST_SOURCES
  tests/combat/effect_test.cpp
  tests/combat/floating_text_test.cpp
  tests/combat/bullet_test.cpp
  tests/combat/weapon_bullet_creator_test.cpp
)
