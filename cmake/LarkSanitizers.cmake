if(LARK_SANITIZE)
  set(LARK_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                          -fno-omit-frame-pointer)
  add_compile_options(${LARK_SANITIZE_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()
