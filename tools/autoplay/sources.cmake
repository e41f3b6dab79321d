add_executable(autoplay tools/autoplay/main.cpp tools/autoplay/headless.cpp tools/autoplay/party_ai.cpp
  tools/autoplay/line_of_fire.cpp tools/autoplay/campaign.cpp tools/autoplay/timings.cpp)
target_link_libraries(autoplay PRIVATE quorvane_lib)
# Under the sanitizers it keeps the test binary's settings and suppressions
# for what the system libraries hold until the process ends.
if(QUORVANE_SANITIZE)
  target_sources(autoplay PRIVATE tests/sanitizer_options.cpp)
endif()

# The party AI's choices on small battles drawn by hand.
if(QUORVANE_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(autoplay_tests tools/autoplay/party_ai_test.cpp tools/autoplay/party_ai.cpp
    tools/autoplay/line_of_fire.cpp tests/test_main.cpp
    tests/sanitizer_options.cpp)
  target_include_directories(autoplay_tests PRIVATE tests tools/autoplay)
  target_link_libraries(autoplay_tests PRIVATE quorvane_lib GTest::gtest)
  gtest_discover_tests(autoplay_tests WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} DISCOVERY_TIMEOUT 60)
endif()
