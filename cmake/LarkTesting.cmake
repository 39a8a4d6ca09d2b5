include(GoogleTest)

# lark_add_test(name SOURCES a.cpp b.cpp [LIBS extra])
# One executable per source area; main() comes from lark_test_support, which
# starts a QApplication on the offscreen platform and registers the fonts.
function(lark_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE lark_test_support GTest::gtest GTest::gmock ${ARG_LIBS})
  lark_target_warnings(${name})
  target_precompile_headers(${name} REUSE_FROM lark_test_support)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
