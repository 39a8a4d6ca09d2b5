lark_add_test(controls_theme_tests SOURCES controls/theme_test.cpp)
lark_add_test(controls_signals_tests SOURCES controls/signals_test.cpp)

# The same tests on screens of device pixel ratio 2 and 1.5 (the test main
# chooses the offscreen platform; the scale comes from the environment).
add_executable(controls_hidpi_tests controls/hidpi_test.cpp)
target_link_libraries(controls_hidpi_tests PRIVATE lark_test_support GTest::gtest GTest::gmock)
lark_target_warnings(controls_hidpi_tests)
target_precompile_headers(controls_hidpi_tests REUSE_FROM lark_test_support)
foreach(scale 2 1.5)
  gtest_discover_tests(controls_hidpi_tests
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    TEST_SUFFIX "@${scale}"
    PROPERTIES ENVIRONMENT "QT_SCALE_FACTOR=${scale}")
endforeach()

# Moving between screens of ratio 1 and 2 at run time (its own main sets up
# the two offscreen screens).
lark_add_test(controls_screen_change_tests SOURCES controls/screen_change_test.cpp)
