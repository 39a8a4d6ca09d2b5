foreach(fragment host tables engine layout images inputs interaction untrusted)
  include(${CMAKE_CURRENT_LIST_DIR}/tests_${fragment}.cmake)
endforeach()
