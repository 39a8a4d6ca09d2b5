# The fuzz targets, one per input surface; read by the libFuzzer build
# (CMakeLists.txt) and the replay build (replay.cmake).
set(LARK_FUZZ_TARGETS engine values storage controls listbox dbcontrols textaccess)

# Code every target shares: the Qt environment and the test host (inputs and
# embedded controls need a live host). Built by whichever build includes this.
function(lark_add_fuzz_common target)
  add_library(${target} STATIC
    ${PROJECT_SOURCE_DIR}/fuzz/fuzz_support.h
    ${PROJECT_SOURCE_DIR}/fuzz/fuzz_support.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/test_host.h
    ${PROJECT_SOURCE_DIR}/tests/support/test_host.cpp)
  target_include_directories(${target} PUBLIC
    ${PROJECT_SOURCE_DIR}/fuzz ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC lark::lark)
  lark_target_warnings(${target})
endfunction()
