# Inline inputs and embedded controls: their tags, their place in the paint
# pass, and what a host may tell the engine about itself.
list(APPEND LAYER_SOURCES
  paint_inputs_p.h
  embedded_controls.cpp
  handlers/input_tag.cpp
  handlers/control_tag.cpp)
list(APPEND LAYER_HEADERS
  host_traits.h)
