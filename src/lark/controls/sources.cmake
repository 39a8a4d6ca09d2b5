# The HTML controls: a base shared by every control, then one file pair per
# control. The view's files are appended in sources_view.cmake.
set(LAYER_SOURCES
  html_host_base.cpp
  html_host_selection.cpp
  label.cpp
  label_p.h
  label_paint.cpp
  graphic_host_events.cpp
  graphic_host_events_p.h)
set(LAYER_HEADERS
  control_defaults.h
  control_types.h
  html_host_base.h
  label.h)
include(${CMAKE_CURRENT_LIST_DIR}/sources_view.cmake)
# The HTML panel.
list(APPEND LAYER_SOURCES
  panel.cpp
  panel_paint.cpp)
list(APPEND LAYER_HEADERS
  panel.h)
include(${CMAKE_CURRENT_LIST_DIR}/sources_list.cmake)
# Qt setter names for forms compiled by uic, and the property groups the
# published controls share.
list(APPEND LAYER_HEADERS
  form_setters.h
  host_properties.h)
# Accessibility: interfaces for screen readers, made only when asked for.
list(APPEND LAYER_SOURCES
  accessible_factory.cpp
  accessible_host.cpp
  accessible_html_p.h
  accessible_items.cpp
  accessible_text_model.cpp)
list(APPEND LAYER_HEADERS
  accessible_text_model.h)
