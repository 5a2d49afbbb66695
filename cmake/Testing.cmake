# Test helpers: GoogleTest from Debian's sources, built with the same toolchain,
# and add_wine_test() which registers a test executable run under Wine.

set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
if(EXISTS ${GTEST_SOURCE_DIR}/CMakeLists.txt)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# add_wine_test(<name> SOURCES ... [LIBS ...] [TIMEOUT seconds] [LABELS ...] [GUI])
# Each test executable is one CTest test; GoogleTest prints its own cases.
# GUI tests need an X display; scripts/test provides one.
function(add_wine_test name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(T_GUI)
    set_property(TARGET ${name} PROPERTY WIN32_EXECUTABLE OFF)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/DisplayCheck.cpp)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  # A crash under Wine can end the program with exit code 0 (a stack overflow does): the
  # crash report fails the test.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}"
                       ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/.wineprefix"
                       FAIL_REGULAR_EXPRESSION "wine: Unhandled")
  # Tests that start the console run one at a time: it runs once per desktop and its
  # windows are found by title.
  if("e2e_support" IN_LIST T_LIBS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK console_main_window)
  endif()
endfunction()
