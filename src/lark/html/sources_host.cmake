# The host interface shared by every HTML control: options, padding, events.
list(APPEND LAYER_SOURCES
  options.cpp
  padding.cpp)
list(APPEND LAYER_HEADERS
  caption.h
  events.h
  host_control.h
  options.h
  padding.h)
