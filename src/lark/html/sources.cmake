# The engine is large; each area lists its own files in a fragment beside this one.
foreach(fragment host tables model render parser handlers layout paint images inputs interaction untrusted)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/sources_${fragment}.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/sources_${fragment}.cmake)
  endif()
endforeach()
