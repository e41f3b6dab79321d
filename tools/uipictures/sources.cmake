add_executable(uipictures tools/uipictures/main.cpp)
target_link_libraries(uipictures PRIVATE quorvane_lib)
