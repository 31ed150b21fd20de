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

# tovu_test(NAME LABEL label SOURCES ... LIBS ...): one GoogleTest executable registered with ctest.
function(tovu_test name)
  cmake_parse_arguments(ARG "" "LABEL;TIMEOUT;LOCK" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${TOVU_SOURCE_ROOT} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TOVU_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures"
    TOVU_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    TOVU_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  tovu_warnings(${name})
  tovu_sanitize(${name})
  # LOCK names a resource outside the build's temporary folders that the program's tests
  # share (a file at a fixed place): ctest then runs them one at a time.
  set(lock_property)
  if(ARG_LOCK)
    set(lock_property RESOURCE_LOCK ${ARG_LOCK})
  endif()
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${ARG_LABEL} TIMEOUT ${ARG_TIMEOUT}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ${lock_property}
    DISCOVERY_TIMEOUT 60)
endfunction()

# Adds every listed subdirectory that holds a CMakeLists.txt, so folders can arrive one by one.
function(tovu_add_subdirectories)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
