# The data layer: a dataset over any item model, an SQL table over Qt SQL,
# data sources and links, the navigator and the grid, and the data-aware
# label and view.
set(LAYER_SOURCES
  callback_link_p.h
  data_link.cpp
  data_source.cpp
  dataset.cpp
  dataset_model.cpp
  db_binding.cpp
  db_binding_p.h
  db_control.cpp
  db_label.cpp
  db_view.cpp
  field.cpp
  field_value.cpp
  field_value_p.h
  grid.cpp
  navigator.cpp
  sql_identifiers.cpp
  sql_identifiers_p.h
  sql_table.cpp
)
set(LAYER_HEADERS
  data_link.h
  data_source.h
  db_control.h
  dataset.h
  db_label.h
  db_types.h
  db_view.h
  field.h
  grid.h
  navigator.h
  sql_table.h
)
