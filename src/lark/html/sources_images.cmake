# Images: resolving sources, reading and caching image files, the img tag,
# transparent bitmaps and drawing images in the paint pass.
list(APPEND LAYER_SOURCES
  images.cpp
  image_cache_p.h
  image_file.cpp
  image_cache.cpp
  transparent_bitmap.cpp
  paint_image.cpp
  handlers/image_tag.cpp)
list(APPEND LAYER_HEADERS
  transparent_bitmap.h)
