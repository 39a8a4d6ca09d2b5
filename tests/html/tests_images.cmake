lark_add_test(html_image_tests SOURCES
  html/images_test.cpp)
