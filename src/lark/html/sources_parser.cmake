# The parser: the character loop, the attribute reader and the wrap step.
list(APPEND LAYER_SOURCES
  parser_p.h
  parser.cpp
  parser_state.cpp
  attributes_p.h
  attribute_reader.cpp
  wrap.cpp)
