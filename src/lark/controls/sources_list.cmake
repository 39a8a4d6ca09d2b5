# The owner-drawn list box, the HTML list box and the HTML item delegate.
list(APPEND LAYER_SOURCES
  list_box.cpp
  list_box_edit.cpp
  list_box_hint.cpp
  list_box_items.cpp
  list_box_model_p.h
  list_box_paint.cpp
  list_box_settings.cpp)
list(APPEND LAYER_HEADERS
  list_box.h)
list(APPEND LAYER_SOURCES
  html_list_box.cpp
  item_delegate.cpp)
list(APPEND LAYER_HEADERS
  html_list_box.h
  item_delegate.h)
