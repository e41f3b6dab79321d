add_executable(actfilms tools/actfilms/main.cpp)
# SDL for the strip pictures only; the battle is drawn through the game library.
target_link_libraries(actfilms PRIVATE quorvane_lib PkgConfig::SDL2)
