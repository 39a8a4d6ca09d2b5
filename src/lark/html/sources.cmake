# The engine. The render object, its entry point, sits here; each stage
# lists its own files in its folder's CMakeLists.txt.
set(LAYER_SOURCES
  render.cpp
  render_p.h)
set(LAYER_HEADERS
  render.h)
foreach(stage parse handlers model layout paint images interaction host untrusted)
  add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/${stage})
endforeach()
