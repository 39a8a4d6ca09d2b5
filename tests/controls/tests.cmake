# Each control lists its own test binary in a fragment beside this one.
foreach(fragment label view untrusted panel qt)
  include(${CMAKE_CURRENT_LIST_DIR}/tests_${fragment}.cmake)
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/tests_list_box.cmake)
lark_add_test(controls_text_selection_tests SOURCES controls/text_selection_test.cpp)
lark_add_test(controls_defaults_tests SOURCES controls/control_defaults_test.cpp)
lark_add_test(controls_accessibility_tests SOURCES controls/accessibility_test.cpp)
