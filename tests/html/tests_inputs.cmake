lark_add_test(html_input_tests SOURCES
  html/input_items_test.cpp
  html/control_items_test.cpp
  html/generate_html_test.cpp
  html/embedded_paint_test.cpp)
