# Included before the targets are made: each target's own folder calls
# kelvane_split_debug_info on it (a build step belongs to the folder of its
# target), the top level kelvane_windows_binaries() after them.
#
# What the shipped binaries (the library and the kelvane tool) carry beyond
# their code: on Windows a version resource and, for the library, an MSVC
# import library; everywhere, in optimised builds, their debug information
# in a file of its own beside them (<binary>.debug, found by the debugger
# through the binary's debug link) while the binary itself is stripped.

# <binary>.debug from the binary's debug sections, then the binary stripped
# and linked to it. Sanitizer and fuzzer builds keep theirs in place.
if(CMAKE_OBJCOPY AND NOT KELVANE_SANITIZE AND NOT KELVANE_FUZZERS
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  set(KELVANE_SPLIT_DEBUG ON)
else()
  set(KELVANE_SPLIT_DEBUG OFF)
endif()

function(kelvane_split_debug_info target)
  if(NOT KELVANE_SPLIT_DEBUG)
    return()
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(strip --strip-unneeded)  # the exported symbols stay
  else()
    set(strip --strip-all)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} ${strip} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Debug information of ${target} into its own file"
    VERBATIM)
endfunction()

function(kelvane_version_resource target file_type description file_name)
  set(KELVANE_RC_FILE_TYPE ${file_type})
  set(KELVANE_RC_DESCRIPTION ${description})
  set(KELVANE_RC_NAME ${target})
  set(KELVANE_RC_FILE_NAME ${file_name})
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Kelvane.rc.in ${PROJECT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/${target}.rc)
endfunction()

# Called once the targets exist.
function(kelvane_windows_binaries)
  if(NOT WIN32)
    return()
  endif()
  kelvane_version_resource(Kelvane VFT_DLL "Kelvane time-zone engine" Kelvane.dll)
  if(TARGET kelvane)
    kelvane_version_resource(kelvane VFT_APP "Kelvane time-zone tool" kelvane.exe)
  endif()

  # Kelvane.lib, the import library MSVC links against, made from the .def
  # file by LLVM's dlltool (Debian's llvm package) beside MinGW's
  # libKelvane.dll.a.
  find_program(KELVANE_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 llvm-dlltool-15 llvm-dlltool-16)
  if(KELVANE_DLLTOOL)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(KELVANE_DLLTOOL_MACHINE i386)
    else()
      set(KELVANE_DLLTOOL_MACHINE i386:x86-64)
    endif()
    set(KELVANE_MSVC_IMPORT_LIBRARY ${PROJECT_BINARY_DIR}/Kelvane.lib CACHE INTERNAL "")
    add_custom_command(OUTPUT ${KELVANE_MSVC_IMPORT_LIBRARY}
      COMMAND ${KELVANE_DLLTOOL} -m ${KELVANE_DLLTOOL_MACHINE} -d ${PROJECT_SOURCE_DIR}/src/Kelvane.def
              -D Kelvane.dll -l ${KELVANE_MSVC_IMPORT_LIBRARY}
      DEPENDS ${PROJECT_SOURCE_DIR}/src/Kelvane.def
      COMMENT "MSVC import library Kelvane.lib" VERBATIM)
    add_custom_target(kelvane_msvc_import_library ALL DEPENDS ${KELVANE_MSVC_IMPORT_LIBRARY})
    install(FILES ${KELVANE_MSVC_IMPORT_LIBRARY} DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
  else()
    message(WARNING "llvm-dlltool not found (Debian's llvm package): no Kelvane.lib for MSVC")
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/src/Kelvane.def DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
endfunction()

if(WIN32)
  enable_language(RC)
endif()
