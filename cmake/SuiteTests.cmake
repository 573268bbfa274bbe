# One ctest test per gtest suite of a test program: each runs the program
# with --gtest_filter=Suite.*. One process per test would start a sanitized
# program a thousand times; one per program would leave ctest nothing to run
# in parallel. The suites are listed after each build, as gtest_discover_tests
# does for single tests. A program whose tests were all skipped exits 77
# (tests/main.cpp), which is reported as skipped.
set(TARVIK_SUITE_TESTS_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/suite_tests_add.cmake)

#   tarvik_suite_tests(target [COST n])   COST: ctest starts costlier tests first
#   while it has no timings of its own yet (a fresh tree)
function(tarvik_suite_tests target)
  cmake_parse_arguments(arg "" "COST" "" ${ARGN})
  if(NOT arg_COST)
    set(arg_COST 0)
  endif()
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake)
  add_custom_command(TARGET ${target} POST_BUILD
    BYPRODUCTS ${list_file}
    COMMAND ${CMAKE_COMMAND} -D TEST_EXECUTABLE=$<TARGET_FILE:${target}> -D CTEST_FILE=${list_file}
      -D WORKING_DIR=${CMAKE_CURRENT_BINARY_DIR} -D TEST_TIMEOUT=600 -D TEST_COST=${arg_COST}
      -P ${TARVIK_SUITE_TESTS_SCRIPT}
    VERBATIM)
  file(WRITE ${include_file}
    "if(EXISTS \"${list_file}\")\n"
    "  include(\"${list_file}\")\n"
    "else()\n"
    "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
