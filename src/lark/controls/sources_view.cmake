# The scrollable HTML view.
list(APPEND LAYER_SOURCES
  view.cpp
  view_input.cpp
  view_paint.cpp
  view_scroll.cpp)
list(APPEND LAYER_HEADERS
  view.h)
