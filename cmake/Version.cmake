# tarnholm_four_part_version(<variable>): the project version as the version resources carry
# it, every missing part 0 ("1.0.0.0").
function(tarnholm_four_part_version variable)
  set(parts)
  foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
      list(APPEND parts 0)
    else()
      list(APPEND parts ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  list(JOIN parts "." joined)
  set(${variable} "${joined}" PARENT_SCOPE)
endfunction()

# tarnholm_add_version_info(<target> DESCRIPTION "<text>")
# Gives a Windows binary the version resource that the file's properties show: product and
# file version from the project version, company, description, product name. Does nothing
# in the native build.
function(tarnholm_add_version_info target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(V "" "DESCRIPTION" "" ${ARGN})
  if(NOT V_DESCRIPTION)
    message(FATAL_ERROR "tarnholm_add_version_info(${target}): DESCRIPTION is required")
  endif()
  tarnholm_four_part_version(version)
  string(REPLACE "." "," version_commas "${version}")
  string(TIMESTAMP year "%Y" UTC)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  # Generated at build-system time so the original file name can come from the target.
  file(GENERATE OUTPUT "${rc}" CONTENT "#include <windows.h>

VS_VERSION_INFO VERSIONINFO
 FILEVERSION ${version_commas}
 PRODUCTVERSION ${version_commas}
 FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
 FILEFLAGS 0
 FILEOS VOS_NT_WINDOWS32
 FILETYPE $<IF:$<STREQUAL:$<TARGET_PROPERTY:${target},TYPE>,EXECUTABLE>,VFT_APP,VFT_DLL>
 FILESUBTYPE VFT2_UNKNOWN
BEGIN
    BLOCK \"StringFileInfo\"
    BEGIN
        BLOCK \"040904b0\"
        BEGIN
            VALUE \"CompanyName\", \"Velmora\"
            VALUE \"FileDescription\", \"${V_DESCRIPTION}\"
            VALUE \"FileVersion\", \"${version}\"
            VALUE \"InternalName\", \"$<TARGET_FILE_BASE_NAME:${target}>\"
            VALUE \"LegalCopyright\", \"Copyright (C) ${year} Velmora. All rights reserved.\"
            VALUE \"OriginalFilename\", \"$<TARGET_FILE_NAME:${target}>\"
            VALUE \"ProductName\", \"Tarnholm\"
            VALUE \"ProductVersion\", \"${version}\"
        END
    END
    BLOCK \"VarFileInfo\"
    BEGIN
        VALUE \"Translation\", 0x409, 1200
    END
END
")
  target_sources(${target} PRIVATE "${rc}")
endfunction()
