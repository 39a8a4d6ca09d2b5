# A real screen-reader client: the demo window under Xvfb with the AT-SPI
# bus, read and driven over AT-SPI by pyatspi.
add_executable(lark_a11y_demo a11y/a11y_demo.cpp)
target_link_libraries(lark_a11y_demo PRIVATE lark::lark)
lark_target_warnings(lark_a11y_demo)
add_test(NAME AtSpiScreenReader
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/a11y/run_atspi_test.sh
          $<TARGET_FILE:lark_a11y_demo> ${CMAKE_CURRENT_SOURCE_DIR}/a11y/read_tree.py)
set_tests_properties(AtSpiScreenReader PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 90)
