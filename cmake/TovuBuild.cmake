# Shared build helpers: warnings, sanitizers, and the one way a test executable is declared.

set(TOVU_SOURCE_ROOT ${CMAKE_SOURCE_DIR}/Source_Code)

function(tovu_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# Sanitizers go on every target of ours except the language libraries, which must
# link against nothing beyond libc.
function(tovu_sanitize target)
  if(TOVU_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# tovu_library(NAME SOURCES ... LIBS ...): a static library of our own code, with the
# Source_Code folder as include root ("app/items/DFDRecord.h", "platform/locale/...").
function(tovu_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${TOVU_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  tovu_warnings(${name})
  tovu_sanitize(${name})
endfunction()

# tovu_test(NAME LABEL label [APP core|gui|widgets] [TIMEOUT s] [LOCK resource] SOURCES ... LIBS ...):
# one GoogleTest executable, registered with ctest in a few batches of its test cases.
# APP makes the one Qt application of the run (tests/support/AppEnvironment.h).
function(tovu_test name)
  cmake_parse_arguments(ARG "" "LABEL;TIMEOUT;LOCK;APP" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set(app_source)
  if(ARG_APP)
    string(SUBSTRING ${ARG_APP} 0 1 first)
    string(SUBSTRING ${ARG_APP} 1 -1 rest)
    string(TOUPPER ${first} first)
    set(app_source ${CMAKE_SOURCE_DIR}/tests/support/${first}${rest}Application.cpp)
  endif()
  add_executable(${name} ${ARG_SOURCES} ${app_source})
  target_include_directories(${name} PRIVATE ${TOVU_SOURCE_ROOT} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TOVU_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures"
    TOVU_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    TOVU_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  tovu_warnings(${name})
  tovu_sanitize(${name})
  tovu_register_test_batches(${name} ${ARG_LABEL} ${ARG_TIMEOUT} "${ARG_LOCK}" ${ARG_SOURCES})
endfunction()

# A process per test case costs a sanitized Qt start-up each time; one process for a whole
# program loses ctest's parallelism. So each program runs in batches of about 25 cases
# (gtest's sharding: batch i of n runs every n-th case), at most 8. The count comes from
# the test macros in the sources; a parameterised test counts once. TIMEOUT is per case,
# so a batch gets it times the cases it runs, up to 20 minutes.
function(tovu_register_test_batches name label timeout lock)
  set(cases 0)
  foreach(source ${ARGN})
    get_filename_component(path ${source} ABSOLUTE)
    file(STRINGS ${path} lines REGEX "^[ \t]*(TEST|TEST_F|TEST_P|TYPED_TEST)\\(")
    list(LENGTH lines n)
    math(EXPR cases "${cases} + ${n}")
  endforeach()
  math(EXPR batches "(${cases} + 24) / 25")
  if(batches LESS 1)
    set(batches 1)
  elseif(batches GREATER 8)
    set(batches 8)
  endif()
  math(EXPR batch_timeout "${timeout} * ((${cases} + ${batches} - 1) / ${batches} + 1)")
  # gtest has no time limit of its own: a case that hangs holds its batch until this one, so
  # it is capped to keep a hang from stalling the whole run.
  if(batch_timeout GREATER 1200)
    set(batch_timeout 1200)
  endif()
  if(batch_timeout LESS timeout)
    set(batch_timeout ${timeout})
  endif()
  math(EXPR last "${batches} - 1")
  foreach(i RANGE ${last})
    set(test_name ${name})
    if(batches GREATER 1)
      math(EXPR shown "${i} + 1")
      set(test_name ${name}/${shown}of${batches})
    endif()
    # LOCK names a resource outside the build's temporary folders that the program's tests
    # share (a file at a fixed place): ctest then runs them one at a time.
    add_test(NAME ${test_name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${test_name} PROPERTIES
      LABELS ${label}
      TIMEOUT ${batch_timeout}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;GTEST_TOTAL_SHARDS=${batches};GTEST_SHARD_INDEX=${i}"
      # A batch that ran no case at all (a filter gone wrong) fails rather than passes.
      FAIL_REGULAR_EXPRESSION "\\[==========\\] 0 tests from")
    if(lock)
      set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK ${lock})
    endif()
  endforeach()
endfunction()

# Adds every listed subdirectory that holds a CMakeLists.txt, so folders can arrive one by one.
function(tovu_add_subdirectories)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
