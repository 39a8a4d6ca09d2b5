# Measurement and the line metrics pass.
list(APPEND LAYER_SOURCES
  measure.cpp
  line_metrics_p.h
  line_metrics.cpp)
