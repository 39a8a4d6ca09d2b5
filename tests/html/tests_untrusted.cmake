lark_add_test(html_untrusted_tests SOURCES
  html/untrusted_test.cpp
  framework/framework_tests.qrc)
