lark_add_test(html_tables_tests SOURCES
  html/values_test.cpp
  html/tag_table_test.cpp)
