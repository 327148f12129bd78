# Small helpers so that each directory's CMakeLists stays a list of what it builds.

# ql_test(NAME SOURCES... LIBS ...): one GoogleTest executable, many cases.
# Natively every case is its own ctest test. Under Wine each start of a program costs far more than
# a case, so the Windows tree runs each executable once with all its cases.
function(ql_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120)
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} PROPERTIES TIMEOUT 120)
  endif()
endfunction()

# ql_gui_exe(NAME SOURCES...): a Windows GUI program with a Unicode entry point.
function(ql_gui_exe name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_options(${name} PRIVATE -municode -mwindows)
endfunction()

# ql_add_areas(): adds every subfolder of the current source folder that has a CMakeLists.txt.
function(ql_add_areas)
  file(GLOB areas LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(a ${areas})
    if(IS_DIRECTORY ${a} AND EXISTS ${a}/CMakeLists.txt)
      add_subdirectory(${a})
    endif()
  endforeach()
endfunction()

# ql_skinned_description(OUT TEMPLATE): a stored window description made from its template, with the
# skin data components carrying the default skin archive (resources/MakeDescription.cmake).
function(ql_skinned_description out template)
  set(make ${PROJECT_SOURCE_DIR}/resources/MakeDescription.cmake)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${template} -DOUT=${out} -DSKIN=${QL_DEFAULT_SKIN_ARCHIVE} -P ${make}
    DEPENDS ${template} ${make} ${PROJECT_SOURCE_DIR}/resources/MainUnitSkin.dfm.in ${QL_DEFAULT_SKIN_ARCHIVE}
            default_skin)
endfunction()
