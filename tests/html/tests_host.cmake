lark_add_test(html_host_tests SOURCES
  html/options_test.cpp
  html/padding_test.cpp
  html/host_control_test.cpp)
