# Tag table and attribute value rules.
list(APPEND LAYER_SOURCES
  tag_table_p.h
  tag_table.cpp
  tag_table.inc
  value_tables_p.h
  values.cpp
  color_names.inc
  char_refs.cpp
  char_ref_table.inc)
list(APPEND LAYER_HEADERS
  values.h)
