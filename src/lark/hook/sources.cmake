set(LAYER_SOURCES
  hook_component.cpp
  ctl_hook_p.h
  ctl_hook.cpp
  hook_list_p.h
  hook_list.cpp)
set(LAYER_HEADERS
  hook_component.h)
