add_executable(autoplay tools/autoplay/main.cpp tools/autoplay/headless.cpp tools/autoplay/party_ai.cpp
  tools/autoplay/campaign.cpp tools/autoplay/timings.cpp)
target_link_libraries(autoplay PRIVATE quorvane_lib)
# Under the sanitizers it keeps the test binary's settings and suppressions
# for what the system libraries hold until the process ends.
if(QUORVANE_SANITIZE)
  target_sources(autoplay PRIVATE tests/sanitizer_options.cpp)
endif()
