# The data layer: the dataset and its links over plain item models, then the
# SQL table and the data-aware controls on SQLite files and on a throw-away
# PostgreSQL cluster that a fixture starts before and stops after them.
lark_add_test(db_dataset_tests SOURCES
  db/dataset_test.cpp
  db/navigator_grid_test.cpp
  LIBS Qt6::Sql)

# The PostgreSQL cluster lives in a temporary folder; its state file tells
# the tests where the socket is.
set(LARK_PG_STATE ${CMAKE_CURRENT_BINARY_DIR}/pg-cluster)
add_test(NAME PgClusterStart COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/db/pg_cluster.sh start ${LARK_PG_STATE})
add_test(NAME PgClusterStop COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/db/pg_cluster.sh stop ${LARK_PG_STATE})
set_tests_properties(PgClusterStart PROPERTIES FIXTURES_SETUP PgCluster TIMEOUT 120)
set_tests_properties(PgClusterStop PROPERTIES FIXTURES_CLEANUP PgCluster TIMEOUT 60)

add_executable(db_sql_tests
  db/test_database.h
  db/test_database.cpp
  db/sql_table_test.cpp
  db/db_controls_test.cpp)
target_link_libraries(db_sql_tests PRIVATE lark_test_support GTest::gtest GTest::gmock Qt6::Sql)
target_compile_definitions(db_sql_tests PRIVATE LARK_PG_CLUSTER_STATE="${LARK_PG_STATE}")
lark_target_warnings(db_sql_tests)
target_precompile_headers(db_sql_tests REUSE_FROM lark_test_support)
gtest_discover_tests(db_sql_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    FIXTURES_REQUIRED PgCluster)

# Databases that go away under bound controls. The stopped-server case makes
# a cluster of its own with the same script.
add_executable(db_hostile_tests
  db/test_database.h
  db/test_database.cpp
  db/db_hostile_test.cpp)
target_link_libraries(db_hostile_tests PRIVATE lark_test_support GTest::gtest GTest::gmock Qt6::Sql)
target_compile_definitions(db_hostile_tests PRIVATE LARK_PG_CLUSTER_STATE="${LARK_PG_STATE}"
  LARK_PG_CLUSTER_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/db/pg_cluster.sh")
lark_target_warnings(db_hostile_tests)
target_precompile_headers(db_hostile_tests REUSE_FROM lark_test_support)
gtest_discover_tests(db_hostile_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    FIXTURES_REQUIRED PgCluster
    TIMEOUT 180)
