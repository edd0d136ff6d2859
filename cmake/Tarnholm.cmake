# Shared build helpers.

# tarnholm_add_test(<name> LABEL <unit|win> SOURCES ... LIBS ... [ALONE test...])
# One GoogleTest executable run as one CTest test (under Wine in the Windows build). Each test
# named after ALONE (Suite.Name) must be the first in its process: it runs as a CTest test of its
# own, <name>.<Name>, and the main entry leaves it out.
function(tarnholm_add_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS;ALONE" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  set(filter)
  foreach(alone ${T_ALONE})
    string(REGEX REPLACE "^.*\\." "" short "${alone}")
    add_test(NAME ${name}.${short} COMMAND ${name} --gtest_brief=1 --gtest_filter=${alone})
    set_tests_properties(${name}.${short} PROPERTIES LABELS "${T_LABEL}" TIMEOUT 300)
    list(APPEND filter ${alone})
  endforeach()
  if(filter)
    list(JOIN filter ":" filter)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 --gtest_filter=-${filter})
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${T_LABEL}" TIMEOUT 300)
endfunction()

# tarnholm_stage_target(<target> [<subdir>]): a built binary into the staged program, without
# its debugging sections (the loader would read them at every start); the build folder keeps
# the binary with them, for reading crash reports. Its sections start on page boundaries in the
# file, so that the loader maps them instead of reading them whole (the resource library's
# pictures are 24 MB, of which a run shows a few).
function(tarnholm_stage_target target)
  set(dest "${TARNHOLM_STAGE_DIR}")
  if(ARGC GREATER 1)
    set(dest "${dest}/${ARGV1}")
  endif()
  target_link_options(${target} PRIVATE -Wl,--file-alignment,4096)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "${dest}"
    COMMAND ${CMAKE_STRIP} --strip-debug -o "${dest}/$<TARGET_FILE_NAME:${target}>" "$<TARGET_FILE:${target}>"
    VERBATIM)
endfunction()

# tarnholm_stage_files(<target-name> SOURCE_DIR <dir> FILES <relative paths...>):
# a target that copies data files into the staged program, keeping their relative paths.
function(tarnholm_stage_files name)
  cmake_parse_arguments(S "" "SOURCE_DIR" "FILES" ${ARGN})
  set(outputs)
  foreach(rel ${S_FILES})
    set(out "${TARNHOLM_STAGE_DIR}/${rel}")
    add_custom_command(OUTPUT "${out}"
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${S_SOURCE_DIR}/${rel}" "${out}"
      DEPENDS "${S_SOURCE_DIR}/${rel}" VERBATIM)
    list(APPEND outputs "${out}")
  endforeach()
  add_custom_target(${name} ALL DEPENDS ${outputs})
endfunction()

# tarnholm_add_subfolders(<dir>): add_subdirectory for every folder below <dir> that has a
# CMakeLists.txt, in name order.
function(tarnholm_add_subfolders dir)
  file(GLOB children LIST_DIRECTORIES true "${dir}/*")
  foreach(child ${children})
    if(EXISTS "${child}/CMakeLists.txt")
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# tarnholm_include_root(<target> <name>): the target's headers are included as "<name>/X.h"
# through an include folder of the target's own that holds only its source folder under that
# name, so that no library reaches another's headers without linking it.
function(tarnholm_include_root target name)
  set(root "${CMAKE_BINARY_DIR}/include/${target}")
  file(MAKE_DIRECTORY "${root}")
  if(NOT EXISTS "${root}/${name}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${name}" SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${root}")
  else()
    target_include_directories(${target} PUBLIC "${root}")
  endif()
endfunction()

# tarnholm_delay_import(<target> DLL <name.dll> FUNCTIONS <function...>)
# An import library for FUNCTIONS of the system library DLL that loads it at the first call of
# one of them instead of at the program's start (the C runtime's __delayLoadHelper2 binds them).
# For libraries that only some runs need: each costs the start milliseconds under Wine. A
# function used without being listed here does not link.
function(tarnholm_delay_import target)
  cmake_parse_arguments(D "" "DLL" "FUNCTIONS" ${ARGN})
  set(def "${CMAKE_CURRENT_BINARY_DIR}/${target}.def")
  set(lib "${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a")
  list(JOIN D_FUNCTIONS "\n" exports)
  file(CONFIGURE OUTPUT "${def}" CONTENT "LIBRARY ${D_DLL}\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def "${def}" --output-delaylib "${lib}" --dllname ${D_DLL}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${CMAKE_DLLTOOL} could not make the delay-load library of ${D_DLL}")
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION "${lib}")
endfunction()
