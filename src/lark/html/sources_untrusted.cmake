# Untrusted content: the control allow-list and the caps of the parser.
list(APPEND LAYER_SOURCES
  untrusted_p.h
  untrusted.cpp)
list(APPEND LAYER_HEADERS
  untrusted.h)
