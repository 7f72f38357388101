# Read by CTest before it runs anything (through a directory's TEST_INCLUDE_FILES): one CTest
# test per GoogleTest suite of one program, named program.Suite (two programs may hold suites of
# the same name) and run as `program --gtest_filter=Suite.*`.
# One process per suite, not per case, keeps process start-up (Qt, test environment, sanitizer
# runtimes) off the bill, while `ctest -R Suite` still selects a suite and the program's own
# output (shown with --output-on-failure) names every failing or crashing case.
#
# Set by the caller: SUITE_CMAKE (the cmake program), SUITE_PROGRAM (the test program), SUITE_LIST (a file this script writes
# the tests to), SUITE_LABELS, SUITE_ENVIRONMENT, SUITE_TIMEOUT (for the listing).
# The listing is redone only when the program (or this script) is newer than the list it made.

get_filename_component(suite_program_name "${SUITE_PROGRAM}" NAME)
if(NOT EXISTS "${SUITE_PROGRAM}")
  add_test("${suite_program_name}_NOT_BUILT" "${SUITE_PROGRAM}")
  return()
endif()

if(NOT EXISTS "${SUITE_LIST}" OR "${SUITE_PROGRAM}" IS_NEWER_THAN "${SUITE_LIST}"
   OR "${CMAKE_CURRENT_LIST_FILE}" IS_NEWER_THAN "${SUITE_LIST}")
  execute_process(
    COMMAND "${SUITE_CMAKE}" -E env ${SUITE_ENVIRONMENT} "${SUITE_PROGRAM}" --gtest_list_tests
    OUTPUT_VARIABLE suite_listing
    ERROR_VARIABLE suite_errors
    RESULT_VARIABLE suite_result
    TIMEOUT ${SUITE_TIMEOUT})
  if(NOT suite_result EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${SUITE_PROGRAM} failed (${suite_result}):\n"
      "${suite_listing}\n${suite_errors}")
  endif()

  # A suite line is the suite's name and a dot, maybe followed by a "# TypeParam" comment;
  # case lines are indented. Anything else (a library's chatter) is not a suite.
  string(REPLACE "\n" ";" suite_lines "${suite_listing}")
  set(suite_text "")
  foreach(line IN LISTS suite_lines)
    if(line MATCHES "^([A-Za-z_][A-Za-z0-9_/]*)\\.( +#.*)?$")
      set(suite "${CMAKE_MATCH_1}")
      set(test "${suite_program_name}.${suite}")
      string(APPEND suite_text
        "add_test([=[${test}]=] [=[${SUITE_PROGRAM}]=] [=[--gtest_filter=${suite}.*]=])\n"
        "set_tests_properties([=[${test}]=] PROPERTIES LABELS [=[${SUITE_LABELS}]=]"
        " ENVIRONMENT [=[${SUITE_ENVIRONMENT}]=])\n")
    endif()
  endforeach()
  if(suite_text STREQUAL "")
    message(FATAL_ERROR "${SUITE_PROGRAM} lists no test suite:\n${suite_listing}")
  endif()
  file(WRITE "${SUITE_LIST}" "${suite_text}")
endif()

include("${SUITE_LIST}")
