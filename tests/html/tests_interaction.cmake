lark_add_test(html_interaction_tests SOURCES
  html/engine_fixture.h
  html/interaction_fixture.h
  html/hit_test_test.cpp
  html/navigation_test.cpp
  html/input_behaviour_test.cpp
  html/message_router_test.cpp
  html/run_url_test.cpp)
