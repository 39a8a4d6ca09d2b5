# Interaction: the hit test, the message router and input transfers, selection
# and navigation, input item behaviour, opening link targets.
list(APPEND LAYER_SOURCES
  hit_test_p.h
  hit_test.cpp
  interaction_p.h
  message_router.cpp
  navigation.cpp
  interaction_items.cpp
  run_url.cpp)
list(APPEND LAYER_HEADERS
  shift_state.h)
# The document as text on a page: offsets, places and ranges for text
# selection and assistive technology.
list(APPEND LAYER_SOURCES
  text_layout.cpp)
list(APPEND LAYER_HEADERS
  text_layout.h)
