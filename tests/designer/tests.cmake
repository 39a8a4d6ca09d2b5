# The Qt Designer plugin, when it is built: loaded by a program that links
# none of the library (everything comes through the plugin).
if(TARGET lark_designer)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Designer UiTools)
  add_executable(designer_plugin_tests designer/designer_plugin_test.cpp)
  target_link_libraries(designer_plugin_tests PRIVATE Qt6::Widgets Qt6::Designer Qt6::UiTools GTest::gtest)
  target_compile_definitions(designer_plugin_tests PRIVATE LARK_DESIGNER_PLUGIN="$<TARGET_FILE:lark_designer>"
    LARK_DESIGNER_FORM="${CMAKE_CURRENT_SOURCE_DIR}/designer/lark_form.ui"
    LARK_DESIGNER_SAVED_FORM="${CMAKE_CURRENT_SOURCE_DIR}/designer/lark_form_saved.ui")
  add_dependencies(designer_plugin_tests lark_designer)
  lark_target_warnings(designer_plugin_tests)
  gtest_discover_tests(designer_plugin_tests
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()

# A form with every widget, as Designer saves it, compiled by uic.
add_executable(designer_form_tests designer/form_test.cpp designer/lark_form.ui designer/lark_form_saved.ui)
set_target_properties(designer_form_tests PROPERTIES AUTOUIC ON)
target_link_libraries(designer_form_tests PRIVATE lark_test_support GTest::gtest)
lark_target_warnings(designer_form_tests)
target_precompile_headers(designer_form_tests REUSE_FROM lark_test_support)
gtest_discover_tests(designer_form_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
