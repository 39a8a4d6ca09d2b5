# The data layer: the dataset and its links over plain item models, then the
# SQL table and the data-aware controls on SQLite files and on a throw-away
# PostgreSQL cluster that a fixture starts before and stops after them.
lark_add_test(db_dataset_tests SOURCES
  db/dataset_test.cpp
  db/navigator_grid_test.cpp
  LIBS Qt6::Sql)
