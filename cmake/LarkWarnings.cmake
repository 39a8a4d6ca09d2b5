# lark_target_warnings(target): our warning set, PRIVATE to our own targets so
# that GoogleTest and Google Benchmark never see it. Warnings become errors only
# with LARK_WERROR (on in the Makefile's builds and in CI): a user's plain CMake
# build with another compiler must not fail on a warning we have not seen.
option(LARK_WERROR "Treat compiler warnings as errors (developer builds and CI)" OFF)

function(lark_target_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra
    -Wnon-virtual-dtor -Woverloaded-virtual -Wsuggest-override)
  if(LARK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Qt strictness for library code: catches encoding mistakes in an all-QString
# code base and keeps signal/slot keywords out of the global namespace.
function(lark_target_qt_strict target)
  target_compile_definitions(${target} PRIVATE
    QT_NO_KEYWORDS QT_NO_FOREACH QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()

# Shared precompiled Qt headers keep the 2-core CI build lean.
function(lark_target_pch target)
  target_precompile_headers(${target} PRIVATE
    <QtCore/QtCore> <QtGui/QtGui> <QtWidgets/QtWidgets>
    <functional> <memory> <vector>)
endfunction()
