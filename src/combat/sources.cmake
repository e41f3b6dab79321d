# Sources of src/combat (explicit list, no globbing)
list(APPEND QUORVANE_SOURCES
  src/combat/weapon_table.cpp
  src/combat/skill_table.cpp
  src/combat/formulas.cpp
  src/combat/attack_area.cpp
  src/combat/attack_act.cpp
)
# Effects, weapon sprites and projectiles
list(APPEND QUORVANE_SOURCES
  src/combat/sprite_record.cpp
  src/combat/effect.cpp
  src/combat/floating_text.cpp
  src/combat/bullet.cpp
  src/combat/weapon_bullet_creator.cpp
)
