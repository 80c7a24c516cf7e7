# Helpers shared by every folder: one way to make a library, a test program and
# a benchmark, so that warnings and layout stay the same everywhere.

function(lab_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()

# lab_add_library(<name> [QT] DEPS <targets...>)
# Builds every .cpp of the current folder into lab_<name>, aliased lab::<name>;
# a main.cpp beside them is the folder's program, not part of the library.
# The repository root is the include root, so headers are included as
# "filters/CDoubleList.h".
function(lab_add_library name)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(lab_${name} STATIC ${sources} ${headers})
  add_library(lab::${name} ALIAS lab_${name})
  target_include_directories(lab_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(lab_${name} PUBLIC ${ARG_DEPS})
  if(ARG_QT)
    set_target_properties(lab_${name} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
  endif()
  lab_warnings(lab_${name})
endfunction()

# lab_add_test(<folder> [GUI] DEPS <targets...>)
# Builds every .cpp of tests/<folder> into one GoogleTest program and registers
# it with CTest. GUI tests run on Qt's offscreen platform.
function(lab_add_test folder)
  cmake_parse_arguments(ARG "GUI" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  set(target test_${folder})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  if(ARG_GUI)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    target_link_libraries(${target} PRIVATE Qt6::Test)
  else()
    target_link_libraries(${target} PRIVATE GTest::gtest_main)
  endif()
  lab_warnings(${target})
  add_test(NAME ${folder} COMMAND ${target})
  set(env "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp"
          "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
          "ASAN_OPTIONS=detect_leaks=1:halt_on_error=1")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${folder} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 900)
endfunction()

# lab_add_benchmark(<name> DEPS <targets...>) from perf/<name>.cpp
function(lab_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(perf_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_link_libraries(perf_${name} PRIVATE ${ARG_DEPS} benchmark::benchmark_main)
  lab_warnings(perf_${name})
endfunction()
