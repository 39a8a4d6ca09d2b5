# Replays the fuzz corpora and regression inputs (see fuzz/README.md).
include(${PROJECT_SOURCE_DIR}/fuzz/replay.cmake)
