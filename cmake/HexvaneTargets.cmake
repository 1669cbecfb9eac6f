# hexvane_library(NAME SOURCES ... [DEPS ...]): one static library per layer, included from src/.
function(hexvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# hexvane_test(NAME [WINDOWS] SOURCES ... [DEPS ...]): one GoogleTest binary, registered with
# CTest. WINDOWS tests run inside a QApplication on the offscreen platform.
function(hexvane_test name)
  cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_WINDOWS)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} hexvane_window_test_main)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE hexvane_test_support GTest::gtest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
