lark_add_test(html_layout_tests SOURCES
  html/layout_fixture.h
  html/measure_test.cpp
  html/line_metrics_test.cpp
  html/paint_test.cpp
  html/run_split_test.cpp
  html/gradient_test.cpp)
