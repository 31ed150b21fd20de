# Run after a test program is built (cmake -P): lists its cases and writes the ctest
# registration of its batches to OUTPUT (see tovu_register_test_batches in TovuBuild.cmake).
# In: PROGRAM NAME LABEL TIMEOUT LOCK BATCH WORKING_DIRECTORY OUTPUT.

set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${PROGRAM} --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --gtest_list_tests failed (${status}): ${errors}")
endif()
# A case is an indented line ("  Case" or "  Case/3  # GetParam() = ..."); suites are not.
string(REGEX MATCHALL "\n  [^ \n][^\n]*" cases "\n${listing}")
list(LENGTH cases count)

math(EXPR batches "(${count} + ${BATCH} - 1) / ${BATCH}")
if(batches LESS 1)
  set(batches 1)
elseif(batches GREATER 8)
  set(batches 8)
endif()
math(EXPR batch_timeout "${TIMEOUT} * ((${count} + ${batches} - 1) / ${batches} + 1)")
# gtest has no time limit of its own: a case that hangs holds its batch until this one, so
# it is capped to keep a hang from stalling the whole run.
if(batch_timeout GREATER 1200)
  set(batch_timeout 1200)
endif()
if(batch_timeout LESS TIMEOUT)
  set(batch_timeout ${TIMEOUT})
endif()

set(text "# ${count} cases of ${NAME} in ${batches} batch(es); written after its build.\n")
math(EXPR last "${batches} - 1")
foreach(i RANGE ${last})
  set(test_name ${NAME})
  if(batches GREATER 1)
    math(EXPR shown "${i} + 1")
    set(test_name ${NAME}/${shown}of${batches})
  endif()
  string(APPEND text "add_test([=[${test_name}]=] [=[${PROGRAM}]=] --gtest_brief=1)\n")
  # A batch that ran no case at all (a filter gone wrong) fails rather than passes.
  # LOCK names a resource outside the build's temporary folders that the program's tests
  # share (a file at a fixed place): ctest then runs them one at a time.
  string(APPEND text "set_tests_properties([=[${test_name}]=] PROPERTIES"
         " LABELS [=[${LABEL}]=] TIMEOUT ${batch_timeout}"
         " WORKING_DIRECTORY [=[${WORKING_DIRECTORY}]=]"
         " ENVIRONMENT [=[QT_QPA_PLATFORM=offscreen;GTEST_TOTAL_SHARDS=${batches};GTEST_SHARD_INDEX=${i}]=]"
         " FAIL_REGULAR_EXPRESSION [=[\\[==========\\] 0 tests from]=]")
  if(LOCK)
    string(APPEND text " RESOURCE_LOCK [=[${LOCK}]=]")
  endif()
  string(APPEND text ")\n")
endforeach()
file(WRITE ${OUTPUT} "${text}")
