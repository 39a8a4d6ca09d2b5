lark_add_test(storage_tests SOURCES
  storage/storage_test_support.h
  storage/change_link_test.cpp
  storage/storage_test.cpp
  storage/text_form_test.cpp)
