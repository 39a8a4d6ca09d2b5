# The snippet storage: named HTML snippets, change links, and the text form
# their items are read from and written to.
set(LAYER_SOURCES
  html_strings.cpp
  name_index.cpp
  name_index_p.h
  storage.cpp
  storage_items.cpp
  text_form_io.cpp
  text_form_lexer.cpp
  text_form_lexer_p.h
  text_form_reader.cpp
  text_form_writer.cpp
)
set(LAYER_HEADERS
  html_strings.h
  storage.h
  text_form.h
)
