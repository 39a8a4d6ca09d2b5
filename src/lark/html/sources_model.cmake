list(APPEND LAYER_HEADERS items.h data.h render.h)
list(APPEND LAYER_SOURCES measure_p.h)
