lark_add_test(html_engine_tests SOURCES
  html/engine_fixture.h
  html/model_test.cpp
  html/render_test.cpp
  html/parser_test.cpp
  html/wrap_test.cpp
  html/handlers_test.cpp)
lark_add_test(html_hostile_input_tests SOURCES html/hostile_input_test.cpp)
