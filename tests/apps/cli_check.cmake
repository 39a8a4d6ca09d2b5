# The command line of lark-render: bad input ends with exit code 2 and a
# message naming the problem; the dumps and the image have their stated form.
#   cmake -DRENDER=<lark-render> -DWORK_DIR=<scratch folder> -P cli_check.cmake
foreach(var RENDER WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "cli_check.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
# Snippets the cases read; written here so that no case depends on a checkout.
file(WRITE "${WORK_DIR}/plain.html" "<b>a</b>&amp;b<br>c")
file(WRITE "${WORK_DIR}/variable.html" "<~~Who>!")
file(WRITE "${WORK_DIR}/control.html" "a<control vclclass=TButton>b")

set(failures "")

# run_case(NAME <name> ARGS <args...> [STDIN <file>] EXIT <code>
#          [STDOUT <regex>] [STDOUT_HEX <exact bytes in hex>] [STDERR <regex>])
# STDOUT_HEX checks bytes exactly: CMake's text reading drops the CR of CR LF.
function(run_case)
  cmake_parse_arguments(C "" "NAME;STDIN;EXIT;STDOUT;STDOUT_HEX;STDERR" "ARGS" ${ARGN})
  set(input_args "")
  if(C_STDIN)
    set(input_args INPUT_FILE "${C_STDIN}")
  endif()
  # Standard output through a file: an output variable would turn CR LF into LF.
  set(out_file "${WORK_DIR}/${C_NAME}.out")
  execute_process(COMMAND "${RENDER}" ${C_ARGS} ${input_args}
                  WORKING_DIRECTORY "${WORK_DIR}"
                  OUTPUT_FILE "${out_file}" ERROR_VARIABLE err RESULT_VARIABLE rc)
  file(READ "${out_file}" out)
  file(READ "${out_file}" out_hex HEX)
  set(problem "")
  if(NOT rc STREQUAL C_EXIT)
    string(APPEND problem " exit ${rc}, expected ${C_EXIT};")
  endif()
  if(DEFINED C_STDOUT AND NOT out MATCHES "${C_STDOUT}")
    string(APPEND problem " stdout does not match '${C_STDOUT}';")
  endif()
  if(DEFINED C_STDOUT_HEX AND NOT out_hex STREQUAL C_STDOUT_HEX)
    string(APPEND problem " stdout bytes ${out_hex}, expected ${C_STDOUT_HEX};")
  endif()
  if(DEFINED C_STDERR AND NOT err MATCHES "${C_STDERR}")
    string(APPEND problem " stderr does not match '${C_STDERR}';")
  endif()
  if(problem)
    set(failures "${failures}\n${C_NAME}:${problem}\n  stdout: ${out}\n  stderr: ${err}" PARENT_SCOPE)
  endif()
endfunction()

# ---- errors: exit code 2 and a message on stderr
run_case(NAME MissingFile ARGS --text missing.html EXIT 2
         STDERR "lark-render: cannot read 'missing.html': No such file")
run_case(NAME UnknownOption ARGS --bogus --text plain.html EXIT 2 STDERR "Unknown option 'bogus'")
run_case(NAME WidthNotANumber ARGS --width abc --text plain.html EXIT 2
         STDERR "option --width: 'abc' is not a whole number")
run_case(NAME WidthZero ARGS --width 0 --text plain.html EXIT 2 STDERR "option --width: '0'")
run_case(NAME MissingValue ARGS --text plain.html --width EXIT 2 STDERR "Missing value after '--width'")
run_case(NAME BadColour ARGS --bg nonsense --text plain.html EXIT 2 STDERR "option --bg: 'nonsense' is not a colour")
run_case(NAME BadLinkColour ARGS --link-color "#xyz" --text plain.html EXIT 2
         STDERR "option --link-color: '#xyz' is not a colour")
run_case(NAME BadScale ARGS --scale -1 --text plain.html EXIT 2 STDERR "option --scale: '-1'")
run_case(NAME BadVariable ARGS --var novalue --text plain.html EXIT 2
         STDERR "option --var: 'novalue' is not NAME=VALUE")
run_case(NAME NoInput ARGS --text EXIT 2 STDERR "no input")
run_case(NAME TwoInputs ARGS --text plain.html plain.html EXIT 2 STDERR "more than one input")
run_case(NAME NothingToDo ARGS plain.html EXIT 2 STDERR "nothing to do")
run_case(NAME WrapAndNoWrap ARGS --wrap --no-wrap --text plain.html EXIT 2 STDERR "exclude each other")

# ---- outputs
# AsText: a hard break is CR LF; the dump ends with one newline ("a&b" CR LF "c" LF).
run_case(NAME TextFromFile ARGS --text plain.html EXIT 0 STDOUT_HEX "6126620d0a630a")
run_case(NAME TextFromStdin ARGS --text - STDIN "${WORK_DIR}/plain.html" EXIT 0 STDOUT_HEX "6126620d0a630a")
# GenerateHTML: formatting is dropped, the break written back with CR LF.
run_case(NAME HtmlWrittenBack ARGS --html plain.html EXIT 0
         STDOUT_HEX "3c68746d6c3e6126623c62723e0d0a633c2f68746d6c3e0a")
run_case(NAME SizeIsWidthBlankHeight ARGS --size plain.html EXIT 0 STDOUT "^[1-9][0-9]* [1-9][0-9]*\n$")
# Variable names ignore letter case; every variable is followed by a blank.
run_case(NAME VariableAnswered ARGS --items --var who=World variable.html EXIT 0
         STDOUT "\"kind\":\"hitVar\",\"text\":\"World\".*\n.*\"kind\":\"hitChar\",\"text\":\" !\"")
run_case(NAME VariableUnanswered ARGS --items variable.html EXIT 0 STDOUT "\"kind\":\"hitVar\",\"text\":\"~~\"")
# Untrusted content: a control class nobody allowed makes no item at all.
run_case(NAME ControlItemTrusted ARGS --items control.html EXIT 0 STDOUT "\"kind\":\"hitControl\"")
run_case(NAME ControlRefusedUntrusted ARGS --untrusted --items control.html EXIT 0 STDOUT "\"text\":\"ab\"")
run_case(NAME ColourIdentifierAccepted ARGS --bg clBtnFace --link-color Red --size plain.html EXIT 0)
run_case(NAME ImageWritten ARGS --width 100 --scale 2 --bg clNone -o out.png plain.html EXIT 0)
run_case(NAME UnwritableImage ARGS -o "${WORK_DIR}/no/such/folder/x.png" plain.html EXIT 1 STDERR "cannot write")

# The PNG's header: 8-byte signature, then the IHDR chunk whose first field is
# the width in pixels: 100 logical pixels at scale 2.
if(EXISTS "${WORK_DIR}/out.png")
  file(READ "${WORK_DIR}/out.png" header LIMIT 20 HEX)
  if(NOT header STREQUAL "89504e470d0a1a0a0000000d49484452000000c8")
    set(failures "${failures}\nImageWidthScaled: PNG header ${header}")
  endif()
else()
  set(failures "${failures}\nImageWidthScaled: out.png was not written")
endif()

if(failures)
  message(FATAL_ERROR "lark-render command line:${failures}")
endif()
