lark_add_test(framework_tests SOURCES
  framework/canvas_test.cpp
  framework/class_registry_test.cpp
  framework/color_test.cpp
  framework/convert_test.cpp
  framework/flag_set_test.cpp
  framework/font_test.cpp
  framework/framework_test.cpp
  framework/image_list_test.cpp
  framework/picture_test.cpp
  framework/string_list_test.cpp
  framework/framework_tests.qrc)
