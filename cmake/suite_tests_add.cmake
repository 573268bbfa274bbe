# Run after a test program is built (cmake -P): lists its gtest suites and
# writes CTEST_FILE with one test per suite. See SuiteTests.cmake.
execute_process(COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "listing the tests of ${TEST_EXECUTABLE} failed (${result}):\n${output}${errors}")
endif()
# Semicolons would split CMake lists; no suite name holds one.
string(REPLACE ";" "" output "${output}")
string(REPLACE "\n" ";" lines "${output}")
set(content "")
set(count 0)
foreach(line IN LISTS lines)
  # A suite line starts in the first column: "Suite." or "Prefix/Suite.  # TypeParam = ...".
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.( .*)?$")
    set(suite "${CMAKE_MATCH_1}")
    string(APPEND content
      "add_test([==[${suite}]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
      "set_tests_properties([==[${suite}]==] PROPERTIES TIMEOUT ${TEST_TIMEOUT} COST ${TEST_COST} SKIP_RETURN_CODE 77"
      " WORKING_DIRECTORY [==[${WORKING_DIR}]==])\n")
    math(EXPR count "${count} + 1")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${TEST_EXECUTABLE} lists no test suite")
endif()
file(WRITE "${CTEST_FILE}" "${content}")
