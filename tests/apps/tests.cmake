# The feature tour: its window and history walked with QTest, and its pages
# checked against their fragments and for what every page must show.
if(TARGET featurestour_form)
  lark_add_test(featurestour_test
    SOURCES apps/featurestour_test.cpp apps/featurestour_pages_test.cpp
    LIBS featurestour_form featurestour_pages)
  target_compile_definitions(featurestour_test PRIVATE
    FEATURESTOUR_SOURCE_DIR="${PROJECT_SOURCE_DIR}/apps/featurestour")
endif()

# CoreDemo: its window, navigation, pages and themes driven with QTest.
if(TARGET coredemo_form)
  lark_add_test(coredemo_test
    SOURCES apps/coredemo_test.cpp
    LIBS coredemo_form)
  target_compile_definitions(coredemo_test PRIVATE
    COREDEMO_IMAGES_DIR="${PROJECT_SOURCE_DIR}/apps/coredemo/images")
endif()

# lark-render as a test oracle. Golden tests compare its item dump of each
# snippet with a reviewed expected file (see tests/golden/README.md); the
# command-line check covers its errors and output forms. The sanitizer build
# has no apps, and then nothing here runs.
if(NOT TARGET lark-render)
  return()
endif()

set(LARK_GOLDEN_DIR ${CMAKE_CURRENT_SOURCE_DIR}/golden)

# lark_add_golden(TestName file_stem): snippets/<stem>.html against
# expected/<stem>.items.jsonl.
function(lark_add_golden test_name stem)
  add_test(NAME Golden.${test_name}
    COMMAND ${CMAKE_COMMAND}
      -DRENDER=$<TARGET_FILE:lark-render>
      -DSNIPPET=${LARK_GOLDEN_DIR}/snippets/${stem}.html
      -DEXPECTED=${LARK_GOLDEN_DIR}/expected/${stem}.items.jsonl
      -DACTUAL_DIR=${CMAKE_CURRENT_BINARY_DIR}/golden-actual
      -P ${CMAKE_CURRENT_SOURCE_DIR}/apps/golden_compare.cmake)
  set_tests_properties(Golden.${test_name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS golden)
endfunction()

lark_add_golden(Styles styles)
lark_add_golden(SubSup sub_sup)
lark_add_golden(Fonts fonts)
lark_add_golden(Paragraphs paragraphs)
lark_add_golden(Lists lists)
lark_add_golden(Links links)
lark_add_golden(Rules rules)
lark_add_golden(Variables variables)
lark_add_golden(Body body)
lark_add_golden(Wrap wrap)
lark_add_golden(Entities entities)
lark_add_golden(NoWrap no_wrap)

add_test(NAME LarkRender.CommandLine
  COMMAND ${CMAKE_COMMAND}
    -DRENDER=$<TARGET_FILE:lark-render>
    -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/lark-render-cli
    -P ${CMAKE_CURRENT_SOURCE_DIR}/apps/cli_check.cmake)
set_tests_properties(LarkRender.CommandLine PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
