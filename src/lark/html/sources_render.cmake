# The document model and the render object: items, the container, HTML
# regeneration, and the render object's lifetime, settings and raisers.
list(APPEND LAYER_SOURCES
  items.cpp
  input_item.cpp
  check_box_painter.cpp
  control_item.cpp
  data.cpp
  generate_html.cpp
  render.cpp)
