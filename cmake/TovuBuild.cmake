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

# tovu_test(NAME LABEL label [APP core|gui|widgets] [TIMEOUT s] [LOCK resource] [BATCH n]
#           SOURCES ... LIBS ...):
# one GoogleTest executable, registered with ctest in a few batches of its test cases (BATCH
# cases each, 25 unless a program of long cases names fewer).
# APP makes the one Qt application of the run (tests/support/AppEnvironment.h).
function(tovu_test name)
  cmake_parse_arguments(ARG "" "LABEL;TIMEOUT;LOCK;APP;BATCH" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if(NOT ARG_BATCH)
    set(ARG_BATCH 25)
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
  tovu_register_test_batches(${name} ${ARG_LABEL} ${ARG_TIMEOUT} "${ARG_LOCK}" ${ARG_BATCH})
endfunction()

# A process per test case costs a sanitized Qt start-up each time; one process for a whole
# program loses ctest's parallelism. So each program runs in batches of about 25 cases, or
# the BATCH it names (gtest's sharding: batch i of n runs every n-th case), at most 8. The cases are the ones
# the built program lists, every instance of a parameterised test among them; so the batches
# are written after each build (cmake/TovuTestBatches.cmake) into a file ctest reads.
# TIMEOUT is per case, so a batch gets it times the cases it runs, up to 20 minutes.
set(TOVU_TEST_BATCHES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/TovuTestBatches.cmake)
function(tovu_register_test_batches name label timeout lock batch)
  set(batches_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_batches.cmake)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${name}> -DNAME=${name} -DLABEL=${label}
            -DTIMEOUT=${timeout} -DLOCK=${lock} -DBATCH=${batch} -DWORKING_DIRECTORY=${CMAKE_CURRENT_BINARY_DIR}
            -DOUTPUT=${batches_file} -P ${TOVU_TEST_BATCHES_SCRIPT}
    COMMENT "Listing the test cases of ${name}"
    VERBATIM)
  # Before the first build there is no list: ctest then shows the program as not built.
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_include.cmake)
  file(WRITE ${include_file}
    "if(EXISTS \"${batches_file}\")\n"
    "  include(\"${batches_file}\")\n"
    "else()\n"
    "  add_test(${name}_NOT_BUILT ${name}_NOT_BUILT)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()

# Adds every listed subdirectory that holds a CMakeLists.txt, so folders can arrive one by one.
function(tovu_add_subdirectories)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
