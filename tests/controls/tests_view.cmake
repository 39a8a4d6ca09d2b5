lark_add_test(controls_view_tests SOURCES controls/view_test.cpp)
