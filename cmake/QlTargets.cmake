# Small helpers so that each directory's CMakeLists stays a list of what it builds.

# ql_test(NAME SOURCES... LIBS ...): one GoogleTest executable, many cases; discovered at test time
# so that the Windows tree never runs Wine during the build.
function(ql_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} PROPERTIES TIMEOUT 120)
endfunction()

# ql_gui_exe(NAME SOURCES...): a Windows GUI program with a Unicode entry point.
function(ql_gui_exe name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_options(${name} PRIVATE -municode -mwindows)
endfunction()
