lark_add_test(controls_label_tests SOURCES controls/label_test.cpp)
