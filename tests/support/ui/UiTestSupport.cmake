# What the Windows UI test folders share: the test resource module, the support library and
# tarnholm_add_ui_test. Included by each of them; defined once, whichever comes first.
include_guard(GLOBAL)

set(UI_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
set(UI_TEST_BIN ${CMAKE_BINARY_DIR}/tests/win/ui)

# Resource-only library, loaded by the tests as their resource module.
add_library(fw_test_resources SHARED ${UI_TEST_DIR}/TestResources.rc)
set_target_properties(fw_test_resources PROPERTIES
  PREFIX "" LINKER_LANGUAGE C RUNTIME_OUTPUT_DIRECTORY ${UI_TEST_BIN})
target_link_options(fw_test_resources PRIVATE -nostdlib -Wl,--entry=0)
set_source_files_properties(${UI_TEST_DIR}/TestResources.rc PROPERTIES
  OBJECT_DEPENDS "${UI_TEST_DIR}/images.bmp;${UI_TEST_DIR}/TestResources.h")

add_library(ui_test_support STATIC ${UI_TEST_DIR}/TestSupport.cpp)
target_include_directories(ui_test_support PUBLIC ${UI_TEST_DIR})
target_link_libraries(ui_test_support PUBLIC ui_framework GTest::gtest)

set_source_files_properties(${UI_TEST_DIR}/CommonControls6.rc PROPERTIES
  OBJECT_DEPENDS ${UI_TEST_DIR}/CommonControls6.manifest)

# tarnholm_add_ui_test(<name> SOURCES ... LIBS ...): the suite twice, against the common
# controls a plain executable gets (5.x) and, with the program's kind of manifest, version 6.
function(tarnholm_add_ui_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  set(UI_TEST_DIR ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(UI_TEST_BIN ${CMAKE_BINARY_DIR}/tests/win/ui)
  foreach(variant IN ITEMS 5 6)
    set(target ${name})
    set(sources ${T_SOURCES})
    if(variant EQUAL 6)
      set(target ${name}_v6)
      list(APPEND sources ${UI_TEST_DIR}/CommonControls6.rc)
    endif()
    tarnholm_add_test(${target} LABEL win SOURCES ${sources} LIBS ${T_LIBS} ui_test_support)
    target_compile_definitions(${target} PRIVATE TARNHOLM_EXPECTED_COMCTL=${variant})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${UI_TEST_BIN})
    add_dependencies(${target} fw_test_resources)
  endforeach()
endfunction()
