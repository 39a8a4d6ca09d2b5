# The tag handlers, one file per family, dispatched from one table.
list(APPEND LAYER_SOURCES
  handlers/handlers_p.h
  handlers/handler_table.cpp
  handlers/style_tags.cpp
  handlers/list_tags.cpp
  handlers/para_tags.cpp
  handlers/link_tags.cpp
  handlers/rule_tags.cpp
  handlers/font_tags.cpp
  handlers/variable_tag.cpp
  handlers/body_tag.cpp)
