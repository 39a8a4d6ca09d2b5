# The paint pass, gradients and rules.
list(APPEND LAYER_SOURCES
  paint_p.h
  paint.cpp
  paint_text.cpp
  paint_bullets.cpp
  contrast.cpp
  gradient.cpp
  synthetic_bold_p.h
  synthetic_bold.cpp)
list(APPEND LAYER_HEADERS
  gradient.h)
