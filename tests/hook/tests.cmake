lark_add_test(hook_tests SOURCES
  hook/hook_test_support.h
  hook/hook_chain_test.cpp
  hook/hook_component_test.cpp)
